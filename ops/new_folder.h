// A new sub-folder of the shown folder.
#pragma once

#include <QByteArray>
#include <optional>

namespace tv::ops {

// Creates the folder "folder + name" (folder ends in "/"; the name is used as typed, so a
// name holding "/" creates inside an existing sub-folder), one level only. Whatever the
// creation says, the result is the path to open when a folder exists there afterwards: the
// new one, one that existed already, or the shown folder itself for an empty name.
std::optional<QByteArray> MakeNewFolder(const QByteArray &folder, const QByteArray &name);

} // namespace tv::ops
