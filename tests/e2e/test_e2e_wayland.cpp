// The real program natively on a Wayland compositor: corners, moves, and no display at all.
#include <QDir>
#include <QFile>
#include <QtTest>
#include <memory>

#include "tests/e2e/wayland_desktop.h"
#include "ui/window_shape.h"

using namespace tv::e2e;

namespace {

// Room at scale 2 for the main window and, below it, a dialog.
constexpr QSize ScreenSize{2400, 1600};
constexpr QPoint FreePlace{0, 1420};
constexpr QPoint NewFolderButton{68, 580};
constexpr int WindowTimeoutMs = 10000;

// The program under test, copied into a folder of its own with a home whose store chooses
// English, on the test's Wayland desktop at a scale.
class WaylandRun {
public:
  WaylandRun(WaylandDesktop &desktop, qreal scale) : desktop_(desktop)
  {
    const QString home = root_.filePath(QStringLiteral("home/"));
    QDir().mkpath(home + QStringLiteral(".config/Corvane"));
    QDir().mkpath(root_.filePath(QStringLiteral("Tarnview")));
    QFile store(home + QStringLiteral(".config/Corvane/Tarnview.conf"));
    if (store.open(QIODevice::WriteOnly))
      store.write("[General]\nLanguage=en\n");
    QProcessEnvironment environment = desktop.environment();
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral(".config"));
    environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::number(scale));
    process_.setProcessEnvironment(environment);
    process_.setWorkingDirectory(home);
    process_.setProcessChannelMode(QProcess::ForwardedChannels);
  }

  ~WaylandRun()
  {
    if (!QTest::currentTestFailed())
      return;
    const QString path = QDir::temp().filePath(
        QStringLiteral("tarnview-e2e-wayland-%1-%2.png")
            .arg(QLatin1String(QTest::currentTestFunction()), QLatin1String(QTest::currentDataTag())));
    if (desktop_.screenshot().save(path))
      qInfo("screen at the failure: %s", qPrintable(path));
  }
  WaylandRun(const WaylandRun &) = delete;
  WaylandRun &operator=(const WaylandRun &) = delete;

  bool start()
  {
    const QString executable = root_.filePath(QStringLiteral("Tarnview/tarnview"));
    QFile::copy(QStringLiteral(TARNVIEW_EXECUTABLE), executable);
    process_.start(executable, {});
    return process_.waitForStarted();
  }

  // The window whose title begins with the text, once it is shown.
  QRect waitForWindow(const QString &title)
  {
    QRect found;
    (void)QTest::qWaitFor(
        [&] {
          for (const WaylandWindow &window : desktop_.windowsOf(process_.processId()))
            if (window.title.startsWith(title) && !window.geometry.isEmpty())
              found = window.geometry;
          return !found.isEmpty();
        },
        WindowTimeoutMs);
    return found;
  }

private:
  WaylandDesktop &desktop_;
  QTemporaryDir root_;
  GroupedProcess process_;
};

// Pixels of the window's corner squares that differ from the corner pictures, where the key
// colour stands for the desktop beneath; key-coloured pixels are counted apart.
struct CornerCount {
  int wrong = 0;
  int key = 0;
};

CornerCount CountCorners(const QImage &screen, QRect window, qreal scale, QRgb background)
{
  const std::array<QImage, 4> pictures = tv::ui::CornerPicturesAt(scale);
  const int side = pictures[0].width();
  const std::array<QPoint, 4> places = tv::ui::CornerPositions(window.size(), side);
  CornerCount count;
  for (size_t corner = 0; corner < 4; ++corner)
    for (int y = 0; y < side; ++y)
      for (int x = 0; x < side; ++x) {
        const QRgb expected = pictures[corner].pixel(x, y);
        const QRgb shown = screen.pixel(window.topLeft() + places[corner] + QPoint(x, y));
        count.key += shown == tv::ui::TransparentKey;
        count.wrong += shown != (expected == tv::ui::TransparentKey ? background : expected);
      }
  return count;
}

} // namespace

class TestE2eWayland : public QObject {
  Q_OBJECT

private slots:
  void initTestCase();
  void withoutADisplayItSaysSoAndEnds();
  void cornersShowTheDesktopBeneath_data();
  void cornersShowTheDesktopBeneath();
  void dragStripMovesTheWindow();

private:
  void checkCorners(WaylandRun &run, const QString &title, qreal scale);

  std::unique_ptr<WaylandDesktop> desktop_;
  QRgb background_ = 0;
};

void TestE2eWayland::initTestCase()
{
  desktop_ = std::make_unique<WaylandDesktop>(ScreenSize);
  if (desktop_->isRunning())
    background_ = desktop_->screenshot().pixel(1, 1);
}

void TestE2eWayland::withoutADisplayItSaysSoAndEnds()
{
  GroupedProcess program;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
    environment.remove(QLatin1String(name));
  program.setProcessEnvironment(environment);
  program.start(QStringLiteral(TARNVIEW_EXECUTABLE), {});
  QVERIFY(program.waitForFinished(WindowTimeoutMs));
  QCOMPARE(program.exitStatus(), QProcess::NormalExit);
  QCOMPARE(program.exitCode(), 1);
  QCOMPARE(program.readAllStandardError().count('\n'), 1);
}

void TestE2eWayland::cornersShowTheDesktopBeneath_data()
{
  QTest::addColumn<qreal>("scale");
  QTest::newRow("1") << 1.0;
  QTest::newRow("2") << 2.0;
}

// Outside the arcs the desktop's own background shows, neither white nor the key colour;
// on the arcs and inside them, the corner pictures.
void TestE2eWayland::cornersShowTheDesktopBeneath()
{
  if (!desktop_->isRunning())
    QSKIP(qPrintable(QStringLiteral("no Wayland compositor could be started: ") + desktop_->failure()));
  QVERIFY(background_ != 0xffffffff && background_ != tv::ui::TransparentKey);
  QFETCH(qreal, scale);
  WaylandRun run(*desktop_, scale);
  QVERIFY(run.start());
  const QRect main = run.waitForWindow(QStringLiteral("Tarnview"));
  QCOMPARE(main.size(), QSize(860, 604) * scale);
  checkCorners(run, QStringLiteral("Tarnview"), scale);

  QVERIFY(desktop_->pointerTo(main.topLeft() + NewFolderButton * scale));
  QVERIFY(desktop_->leftButton(true) && desktop_->leftButton(false));
  QCOMPARE(run.waitForWindow(QStringLiteral("New folder")).size(), QSize(256, 88) * scale);
  // Off the main window, so that the desktop lies beneath the dialog's corners.
  QVERIFY2(desktop_->moveWindow(QStringLiteral("New folder"), FreePlace), qPrintable(desktop_->error()));
  QTRY_COMPARE_WITH_TIMEOUT(run.waitForWindow(QStringLiteral("New folder")).topLeft(), FreePlace, WindowTimeoutMs);
  checkCorners(run, QStringLiteral("New folder"), scale);
}

void TestE2eWayland::checkCorners(WaylandRun &run, const QString &title, qreal scale)
{
  CornerCount count;
  // The window may be shown a moment before its first picture is.
  (void)QTest::qWaitFor(
      [&] {
        const QImage screen = desktop_->screenshot();
        count = CountCorners(screen, run.waitForWindow(title), scale, background_);
        return count.wrong == 0;
      },
      WindowTimeoutMs);
  qInfo("%s at scale %g: %d corner pixels unlike the pictures, %d of the key colour", qPrintable(title), scale,
        count.wrong, count.key);
  QCOMPARE(count.wrong, 0);
  QCOMPARE(count.key, 0);
}

void TestE2eWayland::dragStripMovesTheWindow()
{
  if (!desktop_->isRunning())
    QSKIP(qPrintable(QStringLiteral("no Wayland compositor could be started: ") + desktop_->failure()));
  WaylandRun run(*desktop_, 1);
  QVERIFY(run.start());
  const QRect before = run.waitForWindow(QStringLiteral("Tarnview"));
  const QPoint grab = before.topLeft() + QPoint(200, 20);
  QVERIFY(desktop_->pointerTo(grab) && desktop_->leftButton(true));
  // The compositor moves the window from when the program asks it to, which may come a few
  // pointer moves after the press; from then on the window keeps its distance to the pointer.
  QPoint pointer = grab;
  QRect moving = before;
  while (moving.topLeft() == before.topLeft() && pointer.x() < grab.x() + 50) {
    pointer += QPoint(1, 1);
    QVERIFY(desktop_->pointerTo(pointer));
    moving = run.waitForWindow(QStringLiteral("Tarnview"));
  }
  QVERIFY2(moving.topLeft() != before.topLeft(), "the window did not follow the pointer");
  const QPoint distance = pointer - moving.topLeft();
  QVERIFY(desktop_->pointerTo(grab + QPoint(100, 100)) && desktop_->leftButton(false));
  // sway places a moved window from the pointer's position in fractions of a pixel, which
  // it rounds on its own.
  const QPoint off = run.waitForWindow(QStringLiteral("Tarnview")).topLeft() - (grab + QPoint(100, 100) - distance);
  QVERIFY2(qAbs(off.x()) <= 1 && qAbs(off.y()) <= 1,
           qPrintable(QStringLiteral("off by %1, %2").arg(off.x()).arg(off.y())));
}

QTEST_GUILESS_MAIN(TestE2eWayland)
#include "test_e2e_wayland.moc"
