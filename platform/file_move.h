// Renaming and moving entries without replacing what is at the target.
#pragma once

#include <QByteArray>
#include <fcntl.h>

#include "platform/result.h"

namespace tv::platform {

// An entry named relative to an open folder; AT_FDCWD takes the name as an ordinary path.
struct EntryAt {
  int folder = AT_FDCWD;
  QByteArray name;
};

// Moves or renames a file or folder; never replaces an entry that already has the new name
// (the result is then EEXIST).
Result MoveWithoutReplacing(const QByteArray &from, const QByteArray &to);
Result MoveWithoutReplacingAt(const EntryAt &from, const EntryAt &to);

// The same move for file systems that refuse the kernel's no-replace flag (NFS, some FUSE):
// a file is linked under the new name and then unlinked; a folder, or a file where hard links
// are not supported, is renamed after checking that nothing has the new name.
Result MoveByLinkOrCheckedRename(const QByteArray &from, const QByteArray &to);

} // namespace tv::platform
