// The real program on a real X server: how it starts and how it ends.
#include <QDir>
#include <QFile>
#include <QtTest>
#include <memory>

#include "tests/e2e/tarnview_run.h"
#include "tests/e2e/x_desktop.h"

using namespace tv::e2e;

namespace {

constexpr QSize kMainWindowSize{860, 604};
constexpr int kExitTimeoutMs = 5000;
constexpr int kPaintTimeoutMs = 10000;

// A few entries of each kind, so that the window shows what a user's folder looks like.
void FillWithSampleEntries(const QString &folder)
{
  for (const char *name : {"Photos", "Projects"})
    QDir(folder).mkdir(QString::fromLatin1(name));
  for (const auto &[name, size] : {std::pair{"notes.txt", 2300}, {"budget.xlsx", 18000}, {"report.docx", 41000}}) {
    QFile file(folder + QString::fromLatin1(name));
    if (file.open(QIODevice::WriteOnly))
      file.write(QByteArray(size, 'x'));
  }
}

} // namespace

class TestE2eStartup : public QObject {
  Q_OBJECT

private slots:
  void initTestCase();
  void startsCentredOnTheScreen_data();
  void startsCentredOnTheScreen();
  void exitEndsTheProgramAtOnce_data();
  void exitEndsTheProgramAtOnce();

private:
  std::unique_ptr<XDesktop> desktop_;
};

void TestE2eStartup::initTestCase()
{
  desktop_ = std::make_unique<XDesktop>();
  if (!desktop_->serverStarted())
    QSKIP(qPrintable(QStringLiteral("no X server could be started: ") + desktop_->failure()));
  QVERIFY2(desktop_->isRunning(), qPrintable(desktop_->failure()));
}

void TestE2eStartup::startsCentredOnTheScreen_data()
{
  QTest::addColumn<QSize>("screen");
  QTest::newRow("1280x800") << QSize(1280, 800);
  QTest::newRow("1024x768") << QSize(1024, 768);
  QTest::newRow("1920x1080") << QSize(1920, 1080);
}

void TestE2eStartup::startsCentredOnTheScreen()
{
  QFETCH(QSize, screen);
  XDesktop desktop(screen);
  QVERIFY2(desktop.isRunning(), qPrintable(desktop.failure()));
  TarnviewRun run(desktop);
  FillWithSampleEntries(run.appFolder());
  QVERIFY2(run.start(), qPrintable(run.error()));

  const QRect window = run.windowGeometry();
  QCOMPARE(window.size(), kMainWindowSize);
  QCOMPARE(window.topLeft(),
           QPoint((screen.width() - kMainWindowSize.width()) / 2, (screen.height() - kMainWindowSize.height()) / 2));

  // The title prefix "Index of" is drawn once the window has painted.
  QImage shown;
  QVERIFY(QTest::qWaitFor(
      [&] {
        shown = run.windowImage();
        return !IsBlank(shown, {16, 16, 64, 20});
      },
      kPaintTimeoutMs));
  const QString screenshotPath = qEnvironmentVariable("TARNVIEW_E2E_SCREENSHOT");
  if (!screenshotPath.isEmpty() && screen == desktop_->screenSize())
    QVERIFY2(shown.save(screenshotPath), qPrintable(screenshotPath));
}

void TestE2eStartup::exitEndsTheProgramAtOnce_data()
{
  QTest::addColumn<QList<QPoint>>("pressedFirst");
  QTest::newRow("right after start") << QList<QPoint>{};
  QTest::newRow("while the drive list is shown") << QList<QPoint>{place::DriveList};
  QTest::newRow("after going up") << QList<QPoint>{place::Up};
}

void TestE2eStartup::exitEndsTheProgramAtOnce()
{
  QFETCH(QList<QPoint>, pressedFirst);
  TarnviewRun run(*desktop_);
  QVERIFY2(run.start(), qPrintable(run.error()));
  for (QPoint button : pressedFirst)
    run.click(button);
  QVERIFY(run.isRunning());

  run.click(place::Exit);
  QVERIFY2(run.waitForExit(kExitTimeoutMs), qPrintable(run.error()));
}

QTEST_GUILESS_MAIN(TestE2eStartup)
#include "test_e2e_startup.moc"
