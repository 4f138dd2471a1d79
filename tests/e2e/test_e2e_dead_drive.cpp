// The real program beside a network drive that never answers: it starts, stays live and
// ends at once however its threads are held by the drive.
#include <QDir>
#include <QFile>
#include <QtTest>
#include <csignal>
#include <memory>

#include "tests/e2e/tarnview_run.h"
#include "tests/e2e/x_desktop.h"
#include "tests/support/dead_drive.h"

using namespace tv::e2e;
using tv::test::DeadDrive;

namespace {

constexpr int kShowTimeoutMs = 10000;
// Generous: the window goes at once, and the benchmark measures how soon.
constexpr int kWindowGoneMs = 2000;
constexpr QPoint kStrip{300, 20};

// The lines of text drawn in the list, counted as bands of rows of pixels that are not all white.
int TextLinesIn(const QImage &window)
{
  int lines = 0;
  bool inLine = false;
  for (int y = place::List.top(); y <= place::List.bottom(); ++y) {
    const bool blank = IsBlank(window, {place::List.left(), y, place::List.width(), 1});
    lines += !blank && !inLine;
    inLine = !blank;
  }
  return lines;
}

// Waits until the list shows that many lines of text; false when it never does.
bool WaitForLines(TarnviewRun &run, int lines)
{
  return QTest::qWaitFor([&] { return TextLinesIn(run.windowImage()) == lines; }, kShowTimeoutMs);
}

} // namespace

class TestE2eDeadDrive : public QObject {
  Q_OBJECT

private slots:
  void initTestCase();
  void startsOnItAndStaysLive();
  void aFolderWithALinkToItLists();
  void endsAtOnceWhileHeldByIt_data();
  void endsAtOnceWhileHeldByIt();

private:
  std::unique_ptr<XDesktop> desktop_;
};

void TestE2eDeadDrive::initTestCase()
{
  desktop_ = std::make_unique<XDesktop>();
  if (!desktop_->serverStarted())
    QSKIP(qPrintable(QStringLiteral("no X server could be started: ") + desktop_->failure()));
  QVERIFY2(desktop_->isRunning(), qPrintable(desktop_->failure()));
  if (const QString reason = DeadDrive::Unavailable(); !reason.isEmpty())
    QSKIP(qPrintable(reason));
}

// The drive's folder as the argument: the window shows, paints the message row in place of the
// rows, and moves when its strip is dragged.
void TestE2eDeadDrive::startsOnItAndStaysLive()
{
  TarnviewRun run(*desktop_);
  DeadDrive drive; // stopped first: the program's stuck thread is let go before it is ended
  QVERIFY2(drive.isMounted(), qPrintable(drive.failure()));
  // The start folder lists two files, so that its listing cannot pass for the message.
  QVERIFY(QDir().mkpath(run.appFolder()) && QFile(run.appFolder() + "beside.txt").open(QIODevice::WriteOnly));
  QVERIFY2(run.start(drive.mountPoint()), qPrintable(run.error()));

  QVERIFY2(WaitForLines(run, 1), "the list never showed the one line that says the folder is not answering");
  const QPoint before = run.windowGeometry().topLeft(), offset(60, 40);
  run.drag(kStrip, kStrip + offset);
  QTRY_COMPARE_WITH_TIMEOUT(run.windowGeometry().topLeft(), before + offset, kShowTimeoutMs);
}

void TestE2eDeadDrive::aFolderWithALinkToItLists()
{
  TarnviewRun run(*desktop_);
  DeadDrive drive;
  QVERIFY2(drive.isMounted(), qPrintable(drive.failure()));
  const QString folder = run.elsewhere() + QStringLiteral("links/");
  QVERIFY(QDir().mkpath(folder));
  QVERIFY(QFile::link(QFile::decodeName(drive.mountPoint()), folder + QStringLiteral("drive")));
  QFile file(folder + QStringLiteral("notes.txt"));
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.close();
  QVERIFY2(run.start(QFile::encodeName(folder)), qPrintable(run.error()));

  QVERIFY2(WaitForLines(run, 2), "the folder's two rows never showed");
}

void TestE2eDeadDrive::endsAtOnceWhileHeldByIt_data()
{
  QTest::addColumn<bool>("byExit");
  QTest::newRow("Exit") << true;
  QTest::newRow("SIGTERM") << false;
}

// The window goes at once, though a thread of the program is held in the kernel by the drive.
void TestE2eDeadDrive::endsAtOnceWhileHeldByIt()
{
  QFETCH(bool, byExit);
  TarnviewRun run(*desktop_);
  DeadDrive drive;
  QVERIFY2(drive.isMounted(), qPrintable(drive.failure()));
  QVERIFY2(run.start(drive.mountPoint()), qPrintable(run.error()));
  QVERIFY2(WaitForLines(run, 1), "the list never said the folder is not answering");

  if (byExit)
    run.click(place::Exit);
  else
    QCOMPARE(::kill(pid_t(run.processId()), SIGTERM), 0);
  QVERIFY2(QTest::qWaitFor([&] { return !run.windowShown(); }, kWindowGoneMs), "the window stayed on the screen");
}

QTEST_GUILESS_MAIN(TestE2eDeadDrive)
#include "test_e2e_dead_drive.moc"
