// Starting other programs.
#pragma once

#include <QByteArray>
#include <QList>

namespace tv::platform {

// Sets an environment variable for this program alone: the programs it starts get the
// environment it was started with. With replace false, a variable already set stays as it
// is. Called while the program starts, before it has other threads.
void SetOwnVariable(const char *name, const char *value, bool replace);

// Starts a program with the given arguments, passed as they are (no shell), in the given
// working directory, in a session of its own, with stdin from /dev/null and the environment
// this program was started with, its PATH cut to the absolute folders. A program named
// without "/" is looked up in those folders only, never in the working directory; a
// relative path is refused. It is
// not waited for; it is reaped when it ends, so it never lingers as a zombie. Returns its
// process id, or -1 when it could not be started.
qint64 StartDetached(const QByteArray &program, const QList<QByteArray> &arguments, const QByteArray &workingDirectory);

// Opens a file with the desktop's handler for its type (xdg-open). The path must be
// absolute, so that no name is ever taken for an option.
qint64 OpenWithDesktopHandler(const QByteArray &absolutePath, const QByteArray &workingDirectory);

} // namespace tv::platform
