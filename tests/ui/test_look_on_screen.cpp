// The borderless windows as the X server shows them: cut corners, outline, drag strip,
// first place. Run by run_on_xvfb.sh on a private Xvfb server, with and without a window
// manager; the checks run once more at each scaled screen in processes of their own. With
// TV_SCREENSHOTS set to a folder, it also leaves a picture of every window there.
#include <QLabel>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QtMath>
#include <QtTest>

#include "app/program.h"
#include "platform/fonts.h"
#include "tests/support/program_fixture.h"
#include "tests/support/test_environment.h"
#include "ui/png_speed_button.h"
#include "ui/window_shape.h"

using namespace tv;

namespace {

const QRgb Backdrop = 0xff00c000;

QWidget *WindowNumbered(Program &program, int number)
{
  switch (number) {
  case 1:
    return program.Form1;
  case 2:
    return program.Form2;
  case 3:
    return program.Form3;
  case 4:
    return program.Form4;
  case 5:
    return program.Form5;
  default:
    return program.Form6;
  }
}

void Xdotool(const QStringList &arguments)
{
  QCOMPARE(QProcess::execute(QStringLiteral("xdotool"), arguments), 0);
  QTest::qWait(250);
}

// Presses the left button at a point of the screen, moves the pointer by an offset in two
// steps and lets go, giving the program and the window manager time between the steps.
void DragOnScreen(QPoint from, QPoint offset)
{
  const auto at = [](QPoint p) {
    return QStringList{QStringLiteral("mousemove"), QString::number(p.x()), QString::number(p.y())};
  };
  Xdotool(at(from));
  Xdotool({QStringLiteral("mousedown"), QStringLiteral("1")});
  Xdotool(at(from + offset / 2));
  Xdotool(at(from + offset));
  Xdotool({QStringLiteral("mouseup"), QStringLiteral("1")});
  QTest::qWait(150);
}

QImage GrabScreen()
{
  return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
}

void SaveScreenshot(const QImage &screen, const QRect &area, const QString &name)
{
  const QString folder = qEnvironmentVariable("TV_SCREENSHOTS");
  const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1"));
  if (!folder.isEmpty())
    screen.copy(area.adjusted(-8, -8, 8, 8)).save(QStringLiteral("%1/%2_at_%3.png").arg(folder, name, scale));
}

// The window's place and size on the screen in device pixels, as the X server has them.
QRect DeviceGeometry(const QWidget *window)
{
  QProcess xwininfo;
  xwininfo.start(QStringLiteral("xwininfo"), {QStringLiteral("-id"), QString::number(window->winId())});
  xwininfo.waitForFinished();
  const QString report = QString::fromLocal8Bit(xwininfo.readAllStandardOutput());
  const auto value = [&report](const QString &label) {
    return QRegularExpression(label + QStringLiteral(":\\s+(-?\\d+)")).match(report).captured(1).toInt();
  };
  return {value(QStringLiteral("Absolute upper-left X")), value(QStringLiteral("Absolute upper-left Y")),
          value(QStringLiteral("Width")), value(QStringLiteral("Height"))};
}

bool CoveredByControl(QWidget *window, QPoint devicePixel)
{
  const qreal ratio = window->devicePixelRatio();
  const QWidget *control = window->childAt(qFloor(devicePixel.x() / ratio), qFloor(devicePixel.y() / ratio));
  return control && !control->objectName().startsWith(QLatin1String("Image"));
}

// The window's edge as it must look on the backdrop, in device pixels: the backdrop where
// the window is cut away, the frame's grey and white elsewhere.
QImage ExpectedEdge(QSize device, qreal ratio)
{
  const std::array<QImage, 4> corners = ui::CornerPicturesAt(ratio);
  QImage expected(device, QImage::Format_RGB32);
  expected.fill(Qt::white);
  QPainter painter(&expected);
  ui::PaintFrame(painter, device, corners);
  painter.setClipRegion(QRegion(expected.rect()) - ui::VisibleRegion(device, corners));
  painter.fillRect(expected.rect(), QColor(Backdrop));
  return expected;
}

// Whether the arcs are closed in a corner of the screen's picture: no pixel of the backdrop
// lies next to a white one.
bool CornerClosed(const QImage &screen, QRect square)
{
  for (int y = square.top(); y <= square.bottom(); ++y)
    for (int x = square.left(); x <= square.right(); ++x)
      for (QPoint next : {QPoint(x + 1, y), QPoint(x, y + 1)})
        if (square.contains(next) && ((screen.pixel(x, y) == Backdrop && screen.pixel(next) == 0xffffffff) ||
                                      (screen.pixel(x, y) == 0xffffffff && screen.pixel(next) == Backdrop)))
          return false;
  return true;
}

// Whether the window moved by the offset on the screen; a window that the program moves
// itself in logical pixels may land a device pixel off.
bool MovedBy(const QWidget *window, QPoint from, QPoint offset)
{
  const QPoint moved = DeviceGeometry(window).topLeft() - from - offset;
  return qAbs(moved.x()) <= 1 && qAbs(moved.y()) <= 1;
}

QPoint DevicePoint(const QWidget *window, qreal x, qreal y)
{
  return DeviceGeometry(window).topLeft() + QPoint(qFloor(x), qFloor(y));
}

void ShowAndWait(QWidget *window)
{
  window->show();
  QVERIFY(QTest::qWaitForWindowExposed(window));
  QTest::qWait(300);
}

} // namespace

class TestLookOnScreen : public test::ProgramTest {
  Q_OBJECT
private slots:
  void initTestCase();
  void cleanupTestCase();
  void init();
  void cleanup();
  void windowsFirstShowWithStripOnTheScreen_data();
  void windowsFirstShowWithStripOnTheScreen();
  void windowsAreRoundedAndOutlined_data();
  void windowsAreRoundedAndOutlined();
  void dialogStripEndsAtRow16();
  void mainWindowStripEndsAtExitButtonAndRow39();
  void aboutBoxHasItsFrame();
  void sameOnScaledScreens_data();
  void sameOnScaledScreens();

private:
  test::TestEnvironment *environment_ = nullptr;
  QWidget *backdrop_ = nullptr;
};

void TestLookOnScreen::initTestCase()
{
  environment_ = new test::TestEnvironment;
  environment_->setUserLanguage(QStringLiteral("en"));
  platform::RegisterProgramFonts();
  backdrop_ = new QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint);
  backdrop_->setAutoFillBackground(true);
  QPalette palette = backdrop_->palette();
  palette.setColor(QPalette::Window, QColor(Backdrop));
  backdrop_->setPalette(palette);
  backdrop_->setGeometry(QGuiApplication::primaryScreen()->geometry());
  ShowAndWait(backdrop_);
}

void TestLookOnScreen::cleanupTestCase()
{
  delete backdrop_;
  delete environment_;
}

void TestLookOnScreen::init()
{
  ProgramTest::init();
  program->Form5->Label1->setText(QStringLiteral("Settings saved."));
  program->Form6->Label1->setText(QStringLiteral("Are you sure you want to delete Research & Development.txt?"));
}

void TestLookOnScreen::cleanup()
{
  for (QWidget *window : QApplication::topLevelWidgets())
    if (window != backdrop_)
      window->hide();
  ProgramTest::cleanup();
}

void TestLookOnScreen::windowsFirstShowWithStripOnTheScreen_data() { windowsAreRoundedAndOutlined_data(); }

// Inside the free area along each side where the window fits, and its top left corner in
// the area where it does not: the drag strip and Exit are always on the screen.
void TestLookOnScreen::windowsFirstShowWithStripOnTheScreen()
{
  QFETCH(int, number);
  QWidget *window = WindowNumbered(*program, number);
  ShowAndWait(window);
  const qreal ratio = window->devicePixelRatio();
  const QRect logical = window->screen()->availableGeometry();
  const QRect area(logical.topLeft() * ratio, ui::DeviceSize(logical.size(), ratio));
  const QRect frame = DeviceGeometry(window);
  QVERIFY(area.contains(frame.topLeft()));
  QVERIFY(frame.width() > area.width() || frame.right() <= area.right());
  QVERIFY(frame.height() > area.height() || frame.bottom() <= area.bottom());
}

void TestLookOnScreen::windowsAreRoundedAndOutlined_data()
{
  QTest::addColumn<int>("number");
  for (int number = 1; number <= 6; ++number)
    QTest::addRow("TForm%d", number) << number;
}

// Every pixel of the window's edge as the screen shows it, in device pixels: the backdrop
// where a corner picture is key-coloured, grey on the arcs and on the outline wherever no
// control covers it, and no gap in the arcs.
void TestLookOnScreen::windowsAreRoundedAndOutlined()
{
  QFETCH(int, number);
  QWidget *window = WindowNumbered(*program, number);
  ShowAndWait(window);
  const QImage screen = GrabScreen();
  const QRect frame = DeviceGeometry(window);
  const qreal ratio = window->devicePixelRatio();
  SaveScreenshot(screen, frame, QStringLiteral("TForm%1").arg(number));
  QCOMPARE(frame.size(), ui::DeviceSize(window->size(), ratio));
  const QImage expected = ExpectedEdge(frame.size(), ratio);
  for (int y = 0; y < frame.height(); ++y)
    for (int x = 0; x < frame.width(); ++x)
      if (expected.pixel(x, y) != 0xffffffff && screen.pixel(frame.topLeft() + QPoint(x, y)) != expected.pixel(x, y))
        QVERIFY2(CoveredByControl(window, {x, y}), qPrintable(QStringLiteral("edge pixel %1,%2").arg(x).arg(y)));
  const int side = ui::CornerPicturesAt(ratio)[0].width();
  for (QPoint corner : ui::CornerPositions(frame.size(), side))
    QVERIFY(CornerClosed(screen, QRect(frame.topLeft() + corner, QSize(side, side))));
}

// At every scale a press in the last device row of the strip drags, one row lower it does not.
void TestLookOnScreen::dialogStripEndsAtRow16()
{
  ShowAndWait(program->Form5);
  const qreal ratio = program->Form5->devicePixelRatio();
  const int firstRowBelow = qCeil(17 * ratio);
  const QPoint start = DeviceGeometry(program->Form5).topLeft();
  DragOnScreen(DevicePoint(program->Form5, 60 * ratio, firstRowBelow - 1), {40, 30});
  QTRY_VERIFY(MovedBy(program->Form5, start, {40, 30}));
  const QPoint moved = DeviceGeometry(program->Form5).topLeft();
  DragOnScreen(DevicePoint(program->Form5, 60 * ratio, firstRowBelow), {40, 30});
  QCOMPARE(DeviceGeometry(program->Form5).topLeft(), moved);
  program->Form5->hide();
  ShowAndWait(program->Form5);
  QCOMPARE(DeviceGeometry(program->Form5).topLeft(), moved);
}

// The strip reaches to the Exit button's first logical column and down to row 39; the
// device pixels beyond belong to Exit and to the buttons below.
void TestLookOnScreen::mainWindowStripEndsAtExitButtonAndRow39()
{
  ShowAndWait(program->Form1);
  const qreal ratio = program->Form1->devicePixelRatio();
  const int firstRowBelow = qCeil(40 * ratio);
  const int firstExitColumn = qCeil(833 * ratio);
  const QPoint start = DeviceGeometry(program->Form1).topLeft();
  DragOnScreen(DevicePoint(program->Form1, 400 * ratio, firstRowBelow - 1), {-20, 10});
  QTRY_VERIFY(MovedBy(program->Form1, start, {-20, 10}));
  const QPoint dragged = DeviceGeometry(program->Form1).topLeft();
  DragOnScreen(DevicePoint(program->Form1, firstExitColumn - 1, 20 * ratio), {20, -10});
  QTRY_VERIFY(MovedBy(program->Form1, dragged, {20, -10}));
  const QPoint back = DeviceGeometry(program->Form1).topLeft();
  DragOnScreen(DevicePoint(program->Form1, 400 * ratio, firstRowBelow), {30, 30});
  QCOMPARE(DeviceGeometry(program->Form1).topLeft(), back);
  DragOnScreen(DevicePoint(program->Form1, firstExitColumn, 20 * ratio), {0, 0});
  QTRY_VERIFY(!program->Form1->isVisible());
}

void TestLookOnScreen::aboutBoxHasItsFrame()
{
  ShowAndWait(program->FormAbout);
  QCOMPARE(program->FormAbout->size(), QSize(216, 120));
  SaveScreenshot(GrabScreen(), program->FormAbout->frameGeometry(), QStringLiteral("About"));
}

void TestLookOnScreen::sameOnScaledScreens_data()
{
  QTest::addColumn<QString>("scale");
  QTest::addColumn<QString>("display");
  QTest::addColumn<QStringList>("checks");
  const QStringList all{QStringLiteral("windowsFirstShowWithStripOnTheScreen"),
                        QStringLiteral("windowsAreRoundedAndOutlined"), QStringLiteral("dialogStripEndsAtRow16"),
                        QStringLiteral("mainWindowStripEndsAtExitButtonAndRow39")};
  for (const char *scale : {"1.25", "1.5", "1.75", "2"})
    QTest::addRow("%s", scale) << QString::fromLatin1(scale) << QString() << all;
  // 1920 x 1080 at 2 leaves the main window 1720 x 1208 device pixels too high to centre.
  QTest::newRow("2 on a screen too small for the main window")
      << QStringLiteral("2") << qEnvironmentVariable("TV_SMALL_SCREEN")
      << QStringList{QStringLiteral("windowsFirstShowWithStripOnTheScreen")};
}

// The checks above, in a process of their own at each scale: Qt's scale is fixed when the
// application starts.
void TestLookOnScreen::sameOnScaledScreens()
{
  if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR"))
    QSKIP("the scaled runs are started by the unscaled one");
  QFETCH(QString, scale);
  QFETCH(QString, display);
  QFETCH(QStringList, checks);
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("QT_SCALE_FACTOR"), scale);
  if (!display.isEmpty())
    environment.insert(QStringLiteral("DISPLAY"), display);
  QProcess run;
  run.setProcessEnvironment(environment);
  run.setProcessChannelMode(QProcess::ForwardedChannels);
  run.start(QCoreApplication::applicationFilePath(), checks);
  QVERIFY(run.waitForFinished(100000));
  QCOMPARE(run.exitStatus(), QProcess::NormalExit);
  QCOMPARE(run.exitCode(), 0);
}

QTEST_MAIN(TestLookOnScreen)
#include "test_look_on_screen.moc"
