#pragma once

#include <QByteArray>

#include "platform/file_move.h"

namespace tv::platform {

// Where a file went in the trash.
struct TrashedFile {
  FileResult result;
  // The file under the trash's files/ folder and its record under info/.
  QByteArray file;
  QByteArray info;
};

// Moves a file (or any entry) to the desktop's trash following the freedesktop.org trash
// layout, so that any desktop's trash can restore it: the home trash for
// the home volume, the volume's own trash elsewhere, and where a volume has none that can be
// used, the home trash by a copy across volumes and then removal of the original. Where no
// trash can take it, the file stays where it is and the result says why; it is never deleted
// for good instead.
TrashedFile moveToTrash(const QByteArray &path);

} // namespace tv::platform
