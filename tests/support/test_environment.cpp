#include "tests/support/test_environment.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QtTest>
#include <fcntl.h>
#include <sys/stat.h>

#include "tests/support/files.h"

namespace tv::test {

namespace {

const char *const kVariables[] = {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"};

} // namespace

TestEnvironment::TestEnvironment()
{
  QVERIFY2(dir_.isValid(), "no temporary folder");
  const QByteArray root = QFile::encodeName(dir_.path());
  for (const char *variable : kVariables) {
    saved_.append({variable, qgetenv(variable)});
    const QByteArray value = QByteArray(variable) == "HOME" ? root : root + "/." + QByteArray(variable).toLower();
    QDir().mkpath(QFile::decodeName(value));
    qputenv(variable, value);
  }
  // The program's journal folder, made at once so that it shows in no test's before-and-after,
  // and open to all, so that a subject run as another user keeps its journal there too.
  const QByteArray journal = root + "/.xdg_state_home/tarnview";
  QDir().mkpath(QFile::decodeName(journal));
  ::chmod(journal.constData(), 01777);
  // QSettings keeps the user store's folder from its first use in a process.
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QFile::decodeName(qgetenv("XDG_CONFIG_HOME")));
}

TestEnvironment::~TestEnvironment()
{
  for (const auto &[variable, value] : saved_)
    qputenv(variable.constData(), value);
}

QByteArray TestEnvironment::home() const { return QFile::encodeName(dir_.path()); }

QByteArray TestEnvironment::makeFolder(const QByteArray &relativePath) const
{
  const QByteArray path = home() + '/' + relativePath;
  QDir().mkpath(QFile::decodeName(path));
  return path.endsWith('/') ? path : path + '/';
}

void TestEnvironment::setUserLanguage(const QString &language)
{
  QSettings store(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Corvane"), QStringLiteral("Tarnview"));
  store.setValue(QStringLiteral("Language"), language);
  store.sync();
}

void WriteFile(const QByteArray &path, const QByteArray &contents, const QDateTime &modified)
{
  MakeFile(path, contents);
  if (!modified.isValid())
    return;
  const qint64 milliseconds = modified.toMSecsSinceEpoch();
  const timespec times[2] = {{0, UTIME_OMIT}, {milliseconds / 1000, milliseconds % 1000 * 1000000}};
  QVERIFY2(::utimensat(AT_FDCWD, path.constData(), times, 0) == 0, path.constData());
}

} // namespace tv::test
