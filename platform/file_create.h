// Creating folders and files; the caller decides whether to look at the result.
#pragma once

#include <QByteArray>
#include <sys/types.h>

#include "platform/file_descriptor.h"
#include "platform/file_move.h"

namespace tv::platform {

// Creates one folder level at the path; missing parents are not created.
Result MakeFolder(const QByteArray &path);

// Creates each missing folder of an absolute path, private to the user.
Result MakePrivateFolders(const QByteArray &path);

// Creates a new file at the path holding exactly the bytes, with the permission bits less
// the umask. Anything that already has the name, even a dangling symbolic link, is left
// alone and reported as EEXIST. When writing fails, the new file is removed again, so no
// partial file is left behind.
Result CreateFileExclusive(const QByteArray &path, const QByteArray &bytes, mode_t permissions = 0666);
// The same relative to an open folder; Flushed: the bytes are on the disk when it returns.
Result CreateFileExclusiveAt(const EntryAt &entry, const QByteArray &bytes, mode_t permissions, Durability durability);

} // namespace tv::platform
