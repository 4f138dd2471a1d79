// Questions about paths: what is there, where the program lives, how names are shown.
#pragma once

#include <QByteArray>
#include <QString>

// Paths are handled as the raw bytes the kernel uses, so that names which are not
// valid UTF-8 can still be listed, opened, renamed and deleted.
namespace tv::platform {

// True when the path names a folder, following symbolic links.
bool IsExistingFolder(const QByteArray &path);

// True when something that is not a folder exists at the path (a broken symbolic link
// counts as a file).
bool IsExistingFile(const QByteArray &path);

// The size of the regular file at the path (following symbolic links); 0 for anything else.
qint64 RegularFileSize(const QByteArray &path);

// Absolute path of the running executable.
QByteArray ExecutablePath();

// The path with "." and empty components dropped and ".." taking away the component before
// it, as the shell's cd does; without a trailing "/" except for "/" itself.
QByteArray CleanAbsolutePath(const QByteArray &path);

// The text shown for a name or path given as raw bytes.
QString DisplayName(const QByteArray &bytes);

// The bytes of a name or path typed by the user.
QByteArray NativeName(const QString &text);

} // namespace tv::platform
