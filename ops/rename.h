// Renaming a row's file or folder on disk as the user typed it.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "ops/row_kind.h"
#include "texts/texts.h"

namespace tv::ops {

// An edit of a row's caption, confirmed by the user.
struct RenameRequest {
  QByteArray folder; // the folder shown, ending in "/"
  ops::RowKind kind;
  QString oldCaption;
  QByteArray oldName; // raw bytes, as listed
  QString newText;    // as typed
};

struct RenameOutcome {
  // The name the entry was moved to, or nothing when nothing moved on disk.
  std::optional<QByteArray> newName;
  // What to tell the user, empty when nothing.
  QString message;
};

// Renames the row's file or folder on disk as typed, never replacing an existing entry.
// A folder or file of the same kind under the new name is refused with the collision
// message; any other failure with a message that names the file and the reason. Messages
// are in the language.
RenameOutcome RenameRow(const RenameRequest &request, Language language);

} // namespace tv::ops
