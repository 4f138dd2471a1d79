// What a path handed to the program names on disk, and where the program was started.
#pragma once

#include <QByteArray>

namespace tv::platform {

enum class LocationKind { Folder, File, Missing, Unreadable };

// Follows symbolic links. A folder that cannot be listed, or a path the user may not look
// into, is unreadable.
LocationKind KindOfLocation(const QByteArray &path);

// The working folder of the process, as raw bytes; empty when it cannot be told.
QByteArray WorkingFolder();

} // namespace tv::platform
