// Finding the user's Documents and Desktop folders.
#pragma once

#include <QByteArray>

// The XDG user directories (Documents, Desktop...) as the user's desktop names them in
// $XDG_CONFIG_HOME/user-dirs.dirs.
namespace tv::platform {

// The folder set for a user directory, by its name in the file without the "XDG_" and
// "_DIR" around it ("DOCUMENTS", "DESKTOP"), with "$HOME" expanded. Empty when the file or
// the entry is missing, the entry is not an absolute path, or it names the home folder
// itself (which is how a user switches a directory off).
QByteArray UserDirectory(const QByteArray &name);

// An XDG base folder: the variable's value where it is absolute, else the default under the
// home folder ("/.local/share"); empty when neither gives an absolute place (never the top
// of the file system instead).
QByteArray XdgBaseFolder(const char *variable, const char *defaultUnderHome);

} // namespace tv::platform
