// Moving files to the desktop's trash, in the freedesktop.org trash layout.
#pragma once

#include <QByteArray>

#include "platform/file_copy.h"
#include "platform/file_move.h"

namespace tv::platform {

// Why a file stayed where it is, where the system's error number alone would mislead.
enum class TrashRefusal {
  None,
  NoHomeFolder, // HOME (or XDG_DATA_HOME) gives no absolute place for the home trash
  FileChanged,  // the file changed while it was copied to the trash, so the copy was dropped
  // The file stayed, but its own name was taken meanwhile: it is now at keptAt.
  KeptUnderAnotherName,
};

// Where a file went in the trash.
struct TrashedFile {
  Result result;
  TrashRefusal refusal = TrashRefusal::None;
  // The file under the trash's files/ folder and its record under info/.
  QByteArray file;
  QByteArray info;
  // Where the file stayed, when not under its own name (KeptUnderAnotherName).
  QByteArray keptAt;
};

// Moves a file (or any entry) to the desktop's trash following the freedesktop.org trash
// layout, so that any desktop's trash can restore it: the home trash for
// the home volume, the volume's own trash elsewhere, and where a volume has none that can be
// used or the move crosses a bind mount, the home trash by a copy and then removal of the
// original, which goes only when it is still the file that was copied. Where no trash can
// take it, the file stays where it is and the result says why; it is never deleted for good
// instead. A file that could not be removed afterwards (a read-only volume, a folder the user
// may not change, a sticky folder's rule) is refused before anything is copied. A copy
// reports to progress and is cancelled by it (ECANCELED), leaving the file where it was.
TrashedFile MoveToTrash(const QByteArray &path, const CopyProgress &progress = {});

} // namespace tv::platform
