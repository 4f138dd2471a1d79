#pragma once

#include <QByteArray>
#include <QString>
#include <sys/types.h>

#include "platform/file_descriptor.h"
#include "platform/file_move.h"

// Creating folders and files. Each call reports failure as the system's error number
// (0 means success); the caller decides whether to look at it.
namespace tv::platform {

// Creates one folder level at the path; missing parents are not created.
int makeFolder(const QByteArray &path);

// Creates a new file at the path holding exactly the bytes, with the permission bits less
// the umask. Anything that already has the name, even a dangling symbolic link, is left
// alone and reported as EEXIST. When writing fails, the new file is removed again, so no
// partial file is left behind.
int createFileExclusive(const QByteArray &path, const QByteArray &bytes, mode_t permissions = 0666);
// The same relative to an open folder; Flushed: the bytes are on the disk when it returns.
int createFileExclusiveAt(const EntryAt &entry, const QByteArray &bytes, mode_t permissions, Durability durability);

// The system's description of an error number.
QString errorDescription(int error);

} // namespace tv::platform
