// Folder paths handled as text alone, never asking the disk.
#pragma once

#include <QByteArray>

namespace tv {

// The form OpenFolder lists: each "//" becomes "/" (one scan from the left, without overlap,
// so "///" becomes "//"), and a path that is not empty ends in "/".
QByteArray NormaliseFolderPath(QByteArray path);

// The parent of a folder by the text of its path: "." and ".." resolved and empty
// components dropped, without a trailing "/" except for "/" itself. The parent of "/" is
// "/". Works for folders that no longer exist.
QByteArray ParentFolderOf(const QByteArray &folder);

} // namespace tv
