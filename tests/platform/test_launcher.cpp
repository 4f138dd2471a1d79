#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>

#include "platform/launcher.h"
#include "platform/time_zone.h"
#include "tests/support/fake_opener.h"
#include "tests/support/files.h"

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

// In a forked child whose address space cannot grow by a thread's stack, starts a program
// that is reaped by the next start once it has ended; 0 when all went so.
int StartWithoutThreads() noexcept
{
  const qint64 pages = test::ReadFile("/proc/self/statm").split(' ').first().toLongLong();
  const rlimit limit{static_cast<rlim_t>(pages * ::sysconf(_SC_PAGESIZE)) + (1 << 20), RLIM_INFINITY};
  if (::setrlimit(RLIMIT_AS, &limit) != 0)
    return 3;
  try { // the C library starts threads on the stacks of ended ones: take them all
    for (;;)
      std::thread([] { ::pause(); }).detach();
  } catch (const std::system_error &) {
  }
  const qint64 first = platform::StartDetached("/bin/true", {}, "/");
  siginfo_t ended;
  if (first <= 0 || ::waitid(P_PID, static_cast<id_t>(first), &ended, WEXITED | WNOWAIT) != 0)
    return 1;
  platform::StartDetached("/bin/true", {}, "/");
  return ::waitpid(static_cast<pid_t>(first), nullptr, WNOHANG) < 0 && errno == ECHILD ? 0 : 2;
}

} // namespace

class TestLauncher : public QObject {
  Q_OBJECT
private slots:
  void initTestCase();
  void opensTheFileNamed_data();
  void opensTheFileNamed();
  void reportsAProgramThatCannotStart();
  void aReaperThreadThatCannotStartLeavesNoZombie();
};

// Started from a desktop that set neither variable: the program's own settings of them
// (X11 for its windows, a zone read once) must not reach the opener.
void TestLauncher::initTestCase()
{
  qunsetenv("QT_QPA_PLATFORM");
  qunsetenv("TZ");
  platform::SetOwnVariable("QT_QPA_PLATFORM", "xcb", true);
  platform::ReadTimeZoneOnce();
}

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
  // An opener in the browsed folder never runs, whatever PATH says.
  test::MakeFile(folder + "xdg-open", "#!/bin/sh\n", 0755);
  qputenv("PATH", ".::" + qgetenv("PATH"));

  const qint64 pid = platform::OpenWithDesktopHandler(folder + name, folder);
  QVERIFY(pid > 0);
  QVERIFY(opener.waitForOpening());
  QCOMPARE(opener.arguments(), QList<QByteArray>{folder + name});
  QCOMPARE(opener.workingDirectory(), folder.chopped(1));
  QVERIFY(opener.variable("QT_QPA_PLATFORM").isNull() && opener.variable("TZ").isNull());
  // Nor do the opener's own helpers run from there.
  const QList<QByteArray> searched = opener.variable("PATH").split(':');
  QVERIFY(std::all_of(searched.begin(), searched.end(), [](const QByteArray &f) { return f.startsWith('/'); }));
  QVERIFY2(EndsAndIsReaped(pid), "the opener was left as a zombie");
}

void TestLauncher::reportsAProgramThatCannotStart()
{
  test::FakeOpener opener;
  QCOMPARE(platform::StartDetached("tarnview-no-such-program", {}, "/"), qint64(-1));
  QCOMPARE(platform::StartDetached("xdg-open", {"x"}, "/tarnview-no-such-folder"), qint64(-1));
}

void TestLauncher::aReaperThreadThatCannotStartLeavesNoZombie()
{
#ifdef __SANITIZE_ADDRESS__
  QSKIP("the address sanitizer needs more address space than the limit leaves");
#endif
  const pid_t child = ::fork();
  if (child == 0) {
    std::signal(SIGABRT, SIG_DFL); // no crash report of the test library from the child
    ::_exit(StartWithoutThreads());
  }
  int status = -1;
  QCOMPARE(::waitpid(child, &status, 0), child);
  QVERIFY2(WIFEXITED(status), "the start ended the program");
  QCOMPARE(WEXITSTATUS(status), 0);
}

QTEST_GUILESS_MAIN(TestLauncher)
#include "test_launcher.moc"
