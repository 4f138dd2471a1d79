#pragma once

#include <QByteArray>
#include <QList>

// Starting other programs.
namespace tv::platform {

// Starts a program found on PATH with the given arguments, passed as they are (no shell),
// in the given working directory, in a session of its own and with stdin from /dev/null.
// It is not waited for; a helper thread reaps it when it ends, so it never lingers as a
// zombie. Returns its process id, or -1 when it could not be started.
qint64 startDetached(const QByteArray &program, const QList<QByteArray> &arguments, const QByteArray &workingDirectory);

// Opens a file with the desktop's handler for its type (xdg-open). The path must be
// absolute, so that no name is ever taken for an option.
qint64 openWithDesktopHandler(const QByteArray &absolutePath, const QByteArray &workingDirectory);

} // namespace tv::platform
