#pragma once

#include <QByteArray>
#include <cerrno>
#include <sys/stat.h>

#include "platform/file_descriptor.h"
#include "platform/file_move.h"

namespace tv::platform {

// The error of a copy whose source ended before the size it had when the copy began (it was
// truncated or rewritten meanwhile): the copy would not hold the file whole.
inline constexpr int SourceChanged = ENODATA;

// Copies a regular file (following symbolic links) to target, which must not exist yet:
// EEXIST when it does, EISDIR for a folder, EOPNOTSUPP for a pipe, socket or device, and
// nothing waits on a pipe. The copy keeps the modification time and the permission bits
// without the set-id bits, and keeps the holes of a sparse file. It is written under a
// temporary name beside the target and takes its name only once its bytes are flushed and
// the file closed without error, so a failed copy leaves nothing behind. Flushed: the new
// name lasts across a crash too.
Result CopyRegularFile(const QByteArray &source, const QByteArray &target, Durability durability = Durability::Normal);

// The same for an open regular file as fstat described it when the copy began.
Result CopyOpenFile(int from, const struct stat &info, const EntryAt &target, Durability durability);

// True when both paths name the same file or folder (following symbolic links).
bool IsSameFile(const QByteArray &first, const QByteArray &second);

// The name of the number-th entry of a name: "report.txt", "report (2).txt",
// "report (3).txt"... (".profile (2)", "README (2)"), shortened where needed so that it has
// at most maxBytes bytes, never cutting a UTF-8 character in two.
QByteArray NumberedName(const QByteArray &name, int number, qsizetype maxBytes);

} // namespace tv::platform
