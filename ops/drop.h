// Files dropped on the window: which of them are local, and copying them into the folder.
#pragma once

#include <QByteArray>
#include <QList>

class QMimeData;

namespace tv::ops {
class CopyWatch;
} // namespace tv::ops

namespace tv::ops {

// The local files of a drop, as the raw bytes of their paths, in the order given. Other
// URLs (other schemes, other hosts) are left out.
QList<QByteArray> DroppedLocalPaths(const QMimeData &data);

// Copies each dropped regular file into the folder, in the order given, never over an
// existing entry: a taken name gets a number, "name (2).ext". A file that lies in the folder
// itself is left alone; folders, pipes, sockets and devices are skipped, as is any file
// that cannot be copied. The copy reports its progress to the watch, where one is given, and
// stops where it is cancelled, leaving no part of the file it was copying.
void CopyDroppedFiles(const QByteArray &folder, const QList<QByteArray> &paths, ops::CopyWatch *watch = nullptr);

} // namespace tv::ops
