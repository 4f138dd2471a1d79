#pragma once

#include <QByteArray>

#include "platform/file_move.h"

namespace tv::platform {

enum class CopyDurability { Normal, Flushed };

// Copies a regular file (following symbolic links) to target, which must not exist yet:
// EEXIST when it does, EISDIR for a folder, EOPNOTSUPP for a pipe, socket or device, and
// nothing waits on a pipe. The copy keeps the modification time and the permission bits
// without the set-id bits, and keeps the holes of a sparse file. It is written under a
// temporary name beside the target and renamed into place when complete, so a failed copy
// leaves nothing behind. Flushed: the data is on the disk before the copy takes its name.
FileResult copyRegularFile(const QByteArray &source, const QByteArray &target,
                           CopyDurability durability = CopyDurability::Normal);

// True when both paths name the same file or folder (following symbolic links).
bool isSameFile(const QByteArray &first, const QByteArray &second);

// The name of the number-th entry of a name: "report.txt", "report (2).txt",
// "report (3).txt"... (".profile (2)", "README (2)"), shortened where needed so that it has
// at most maxBytes bytes, never cutting a UTF-8 character in two.
QByteArray numberedName(const QByteArray &name, int number, qsizetype maxBytes);

} // namespace tv::platform
