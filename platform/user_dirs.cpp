// Where the user's desktop puts Documents, Desktop and the other XDG user directories.
#include "platform/user_dirs.h"

#include "platform/profile_file.h"

#include <QDir>
#include <QFile>
#include <QList>

namespace tv::platform {

namespace {

QByteArray HomeFolder()
{
  const QByteArray home = qgetenv("HOME");
  return home.isEmpty() ? QFile::encodeName(QDir::homePath()) : home;
}

QByteArray ConfigFolder()
{
  const QByteArray config = qgetenv("XDG_CONFIG_HOME");
  return config.startsWith('/') ? config : HomeFolder() + "/.config";
}

// The text of a shell-quoted value: inside double quotes a backslash keeps the next
// character as it is.
QByteArray Unquoted(const QByteArray &value)
{
  if (!value.startsWith('"'))
    return value;
  QByteArray text;
  for (qsizetype i = 1; i < value.size() && value[i] != '"'; ++i)
    text.append(value[i] == '\\' && i + 1 < value.size() ? value[++i] : value[i]);
  return text;
}

QByteArray WithoutTrailingSlashes(QByteArray path)
{
  while (path.size() > 1 && path.endsWith('/'))
    path.chop(1);
  return path;
}

// The folder a value names, or empty text when it names none.
QByteArray Expanded(const QByteArray &value, const QByteArray &home)
{
  if (value == "$HOME" || value.startsWith("$HOME/"))
    return home + value.mid(5);
  return value.startsWith('/') ? value : QByteArray();
}

} // namespace

QByteArray UserDirectory(const QByteArray &name)
{
  const QByteArray key = "XDG_" + name + "_DIR";
  const QByteArray home = HomeFolder();
  QByteArray folder;
  // Later lines win, as when the shell reads the file.
  for (const QByteArray &line : ReadTextFile(ConfigFolder() + "/user-dirs.dirs").split('\n')) {
    const QByteArray text = line.trimmed();
    const qsizetype equals = text.indexOf('=');
    if (!text.startsWith('#') && equals > 0 && text.first(equals).trimmed() == key)
      folder = Expanded(Unquoted(text.mid(equals + 1).trimmed()), home);
  }
  return WithoutTrailingSlashes(folder) == WithoutTrailingSlashes(home) ? QByteArray() : folder;
}

QByteArray XdgBaseFolder(const char *variable, const char *defaultUnderHome)
{
  const QByteArray value = qgetenv(variable);
  if (value.startsWith('/'))
    return value;
  const QByteArray home = qgetenv("HOME");
  return home.startsWith('/') ? home + defaultUnderHome : QByteArray();
}

} // namespace tv::platform
