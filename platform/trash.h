#pragma once

#include <QByteArray>

#include "platform/file_move.h"

namespace tv::platform {

// Why a file stayed where it is, where the system's error number alone would mislead.
enum class TrashRefusal {
  None,
  NoHomeFolder, // HOME (or XDG_DATA_HOME) gives no absolute place for the home trash
  FileChanged,  // the file changed while it was copied to the trash, so the copy was dropped
};

// Where a file went in the trash.
struct TrashedFile {
  Result result;
  TrashRefusal refusal = TrashRefusal::None;
  // The file under the trash's files/ folder and its record under info/.
  QByteArray file;
  QByteArray info;
};

// Moves a file (or any entry) to the desktop's trash following the freedesktop.org trash
// layout, so that any desktop's trash can restore it: the home trash for
// the home volume, the volume's own trash elsewhere, and where a volume has none that can be
// used or the move crosses a bind mount, the home trash by a copy and then removal of the
// original, which goes only when it is still the file that was copied. Where no trash can
// take it, the file stays where it is and the result says why; it is never deleted for good
// instead.
TrashedFile MoveToTrash(const QByteArray &path);

} // namespace tv::platform
