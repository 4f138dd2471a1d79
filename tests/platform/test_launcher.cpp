#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>

#include "platform/launcher.h"
#include "tests/support/fake_opener.h"

using namespace tv;

namespace {

bool EndsAndIsReaped(qint64 pid)
{
  QDeadlineTimer deadline(10000);
  while (!deadline.hasExpired()) {
    if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
      return true;
    QTest::qWait(20);
  }
  return false;
}

} // namespace

class TestLauncher : public QObject {
  Q_OBJECT
private slots:
  void opensTheFileNamed_data();
  void opensTheFileNamed();
  void reportsAProgramThatCannotStart();
};

void TestLauncher::opensTheFileNamed_data()
{
  QTest::addColumn<QByteArray>("name");
  QTest::newRow("plain") << QByteArray("report.txt");
  QTest::newRow("leading dash") << QByteArray("-x");
  QTest::newRow("option") << QByteArray("--help");
  QTest::newRow("shell characters") << QByteArray("a & b; $(echo no) `x` 'q'");
  QTest::newRow("newline") << QByteArray("two\nlines");
  QTest::newRow("not UTF-8") << QByteArray("caf\xe9\xff");
  QTest::newRow("blanks at both ends") << QByteArray("  spaced  ");
}

void TestLauncher::opensTheFileNamed()
{
  QFETCH(QByteArray, name);
  test::FakeOpener opener;
  const QTemporaryDir dir;
  const QByteArray folder = QFile::encodeName(dir.path()) + "/folder with blank/";
  QVERIFY(QDir().mkpath(QFile::decodeName(folder)));

  const qint64 pid = platform::openWithDesktopHandler(folder + name, folder);
  QVERIFY(pid > 0);
  QVERIFY(opener.waitForOpening());
  QCOMPARE(opener.arguments(), QList<QByteArray>{folder + name});
  QCOMPARE(opener.workingDirectory(), folder.chopped(1));
  QVERIFY2(EndsAndIsReaped(pid), "the opener was left as a zombie");
}

void TestLauncher::reportsAProgramThatCannotStart()
{
  test::FakeOpener opener;
  QCOMPARE(platform::startDetached("tarnview-no-such-program", {}, "/"), qint64(-1));
  QCOMPARE(platform::startDetached("xdg-open", {"x"}, "/tarnview-no-such-folder"), qint64(-1));
}

QTEST_GUILESS_MAIN(TestLauncher)
#include "test_launcher.moc"
