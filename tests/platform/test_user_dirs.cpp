#include <QFile>
#include <QtTest>
#include <sys/stat.h>

#include "platform/profile_file.h"
#include "platform/user_dirs.h"
#include "tests/support/files.h"
#include "tests/support/settings_sandbox.h"

using namespace tv;

class TestUserDirs : public QObject {
  Q_OBJECT
private slots:
  void userDirectories_data();
  void userDirectories();
  void readsOnlyTheHeadOfARegularFile_data();
  void readsOnlyTheHeadOfARegularFile();
};

void TestUserDirs::userDirectories_data()
{
  QTest::addColumn<QByteArray>("file");
  QTest::addColumn<QByteArray>("expected");

  QTest::newRow("$HOME path") << QByteArray("XDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n") << QByteArray("$HOME/Papers");
  QTest::newRow("absolute path, CRLF, comments")
      << QByteArray("# written by xdg-user-dirs-update\r\nXDG_DOCUMENTS_DIR=\"/srv/docs\"\r\n")
      << QByteArray("/srv/docs");
  QTest::newRow("escaped characters") << QByteArray("XDG_DOCUMENTS_DIR=\"$HOME/My \\\"Docs\\\" \\$x\"\n")
                                      << QByteArray("$HOME/My \"Docs\" $x");
  QTest::newRow("later line wins") << QByteArray("XDG_DOCUMENTS_DIR=\"$HOME/a\"\nXDG_DOCUMENTS_DIR=\"$HOME/b\"\n")
                                   << QByteArray("$HOME/b");
  QTest::newRow("home itself switches it off") << QByteArray("XDG_DOCUMENTS_DIR=\"$HOME/\"\n") << QByteArray();
  QTest::newRow("relative path is no folder") << QByteArray("XDG_DOCUMENTS_DIR=\"Documents\"\n") << QByteArray();
  QTest::newRow("other entries only") << QByteArray("XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n") << QByteArray();
  QTest::newRow("commented out") << QByteArray("#XDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n") << QByteArray();
  QTest::newRow("no file") << QByteArray() << QByteArray();
}

void TestUserDirs::userDirectories()
{
  QFETCH(QByteArray, file);
  QFETCH(QByteArray, expected);
  test::SettingsSandbox sandbox;
  const QByteArray path = sandbox.configFolder() + "/user-dirs.dirs";
  QFile::remove(QFile::decodeName(path));
  if (!file.isNull())
    test::WriteFile(path, file);
  expected.replace("$HOME", sandbox.environment().home());
  QCOMPARE(platform::UserDirectory("DOCUMENTS"), expected);
}

void TestUserDirs::readsOnlyTheHeadOfARegularFile_data()
{
  QTest::addColumn<bool>("fifo");
  QTest::newRow("entry past the read limit") << false;
  QTest::newRow("a FIFO that no one writes") << true;
}

void TestUserDirs::readsOnlyTheHeadOfARegularFile()
{
  QFETCH(bool, fifo);
  test::SettingsSandbox sandbox;
  const QByteArray path = sandbox.configFolder() + "/user-dirs.dirs";
  QFile::remove(QFile::decodeName(path));
  if (fifo)
    QCOMPARE(::mkfifo(path.constData(), 0644), 0);
  else
    test::WriteFile(path, '#' + QByteArray(platform::ProfileReadLimit, '-') + "\nXDG_DOCUMENTS_DIR=\"/srv\"\n");
  QCOMPARE(platform::UserDirectory("DOCUMENTS"), QByteArray());
}

QTEST_GUILESS_MAIN(TestUserDirs)
#include "test_user_dirs.moc"
