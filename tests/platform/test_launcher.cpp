#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <pthread.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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

bool IsZombie(qint64 pid)
{
  const QByteArray stat = test::ReadFile("/proc/" + QByteArray::number(pid) + "/stat");
  return stat.mid(stat.lastIndexOf(')') + 2, 1) == "Z";
}

// Starts a program with no thread to spare, in a forked child whose address space cannot
// grow by a thread's stack: 0 when the program started and, once ended, was reaped by the
// next start.
int StartWithoutThreads() noexcept
{
  const qint64 pages = test::ReadFile("/proc/self/statm").split(' ').first().toLongLong();
  const rlim_t inUse = static_cast<rlim_t>(pages * ::sysconf(_SC_PAGESIZE));
  const rlimit limit{inUse + (1 << 20), RLIM_INFINITY};
  if (::setrlimit(RLIMIT_AS, &limit) != 0)
    return 1;
  // The C library starts threads on stacks of ended ones without asking for more space.
  pthread_t thread;
  while (::pthread_create(
             &thread, nullptr,
             +[](void *) -> void * {
               for (;;)
                 ::pause();
             },
             nullptr) == 0) {
  }
  const qint64 first = platform::startDetached("/bin/true", {}, "/");
  if (first <= 0)
    return 2;
  for (int wait = 0; wait < 1000 && !IsZombie(first); ++wait)
    ::usleep(10'000);
  if (platform::startDetached("/bin/true", {}, "/") <= 0)
    return 3;
  return ::kill(static_cast<pid_t>(first), 0) != 0 && errno == ESRCH ? 0 : 4;
}

} // namespace

class TestLauncher : public QObject {
  Q_OBJECT
private slots:
  void opensTheFileNamed_data();
  void opensTheFileNamed();
  void reportsAProgramThatCannotStart();
  void findsTheOpenerOnlyInAbsoluteFolders_data();
  void findsTheOpenerOnlyInAbsoluteFolders();
  void theOpenerGetsTheEnvironmentTheProgramStartedWith();
  void aReaperThreadThatCannotStartLeavesNoZombie();
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

void TestLauncher::findsTheOpenerOnlyInAbsoluteFolders_data()
{
  QTest::addColumn<QByteArray>("entry");
  QTest::addColumn<bool>("alone");
  QTest::newRow(". first") << QByteArray(".") << false;
  QTest::newRow("empty entry first") << QByteArray() << false;
  QTest::newRow("relative entry first") << QByteArray("bin") << false;
  QTest::newRow("only .") << QByteArray(".") << true;
}

// An opener planted in a browsed folder, or below it, never runs.
void TestLauncher::findsTheOpenerOnlyInAbsoluteFolders()
{
  QFETCH(QByteArray, entry);
  QFETCH(bool, alone);
  test::FakeOpener opener;
  const QTemporaryDir dir;
  const QByteArray browsed = QFile::encodeName(dir.path()) + '/';
  test::MakeFolder(browsed + "bin");
  for (const QByteArray &planted : {browsed + "xdg-open", browsed + "bin/xdg-open"})
    test::MakeFile(planted, "#!/bin/sh\ntouch \"$OPENER_RECORD.planted\"\n", 0755);
  qputenv("PATH", alone ? entry : entry + ':' + qgetenv("PATH"));

  const qint64 pid = platform::openWithDesktopHandler(browsed + "file.txt", browsed);

  if (alone) {
    QCOMPARE(pid, qint64(-1));
  } else {
    QVERIFY(pid > 0);
    QVERIFY(opener.waitForOpening());
    QVERIFY(EndsAndIsReaped(pid));
  }
  QVERIFY(!QFile::exists(qEnvironmentVariable("OPENER_RECORD") + ".planted"));
}

// The variables the program sets for itself (X11 for its own windows, a time zone read
// once) are not handed on.
void TestLauncher::theOpenerGetsTheEnvironmentTheProgramStartedWith()
{
  test::FakeOpener opener;
  const QByteArray platformBefore = qgetenv("QT_QPA_PLATFORM");
  const QByteArray zoneBefore = qgetenv("TZ");
  qunsetenv("QT_QPA_PLATFORM");
  qunsetenv("TZ");
  platform::setOwnVariable("QT_QPA_PLATFORM", "xcb", true);
  platform::readTimeZoneOnce();

  const qint64 pid = platform::openWithDesktopHandler("/file.txt", "/");

  QVERIFY(pid > 0);
  QVERIFY(opener.waitForOpening());
  QVERIFY(opener.variable("QT_QPA_PLATFORM").isNull());
  QVERIFY(opener.variable("TZ").isNull());
  QCOMPARE(opener.variable("OPENER_RECORD"), qgetenv("OPENER_RECORD"));
  QCOMPARE(qgetenv("QT_QPA_PLATFORM"), QByteArray("xcb"));
  qputenv("QT_QPA_PLATFORM", platformBefore);
  qputenv("TZ", zoneBefore);
  QVERIFY(EndsAndIsReaped(pid));
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
