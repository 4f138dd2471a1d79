// The borderless windows as the X server shows them: cut corners, outline, drag strip.
// Run by run_on_xvfb.sh on a private Xvfb server, with and without a window manager. With
// TV_SCREENSHOTS set to a folder, it also leaves a picture of every window there.
#include <QLabel>
#include <QProcess>
#include <QScreen>
#include <QtTest>

#include "app/windows.h"
#include "platform/fonts.h"
#include "tests/support/test_environment.h"
#include "ui/png_speed_button.h"
#include "ui/window_shape.h"

using namespace tv;

namespace {

const QRgb Backdrop = 0xff00c000;

QWidget *WindowNumbered(int number)
{
  switch (number) {
  case 1:
    return Form1;
  case 2:
    return Form2;
  case 3:
    return Form3;
  case 4:
    return Form4;
  case 5:
    return Form5;
  default:
    return Form6;
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
  if (!folder.isEmpty())
    screen.copy(area.adjusted(-8, -8, 8, 8)).save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

bool CoveredByControl(QWidget *window, QPoint point)
{
  const QWidget *control = window->childAt(point);
  return control && !control->objectName().startsWith(QLatin1String("Image"));
}

void ShowAndWait(QWidget *window)
{
  window->show();
  QVERIFY(QTest::qWaitForWindowExposed(window));
  QTest::qWait(300);
}

} // namespace

class TestLookOnScreen : public QObject {
  Q_OBJECT
private slots:
  void initTestCase();
  void cleanupTestCase();
  void cleanup();
  void windowsAreRoundedAndOutlined_data();
  void windowsAreRoundedAndOutlined();
  void dialogStripEndsAtRow16();
  void mainWindowStripEndsAtExitButtonAndRow39();
  void aboutBoxHasItsFrame();

private:
  test::TestEnvironment *environment_ = nullptr;
  QWidget *backdrop_ = nullptr;
};

void TestLookOnScreen::initTestCase()
{
  environment_ = new test::TestEnvironment;
  environment_->setUserLanguage(QStringLiteral("en"));
  platform::registerProgramFonts();
  backdrop_ = new QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint);
  backdrop_->setAutoFillBackground(true);
  QPalette palette = backdrop_->palette();
  palette.setColor(QPalette::Window, QColor(Backdrop));
  backdrop_->setPalette(palette);
  backdrop_->setGeometry(QGuiApplication::primaryScreen()->geometry());
  ShowAndWait(backdrop_);
  CreateWindows();
  Form5->Label1->setText(QStringLiteral("Settings saved."));
  Form6->Label1->setText(QStringLiteral("Are you sure you want to delete Research & Development.txt?"));
}

void TestLookOnScreen::cleanupTestCase()
{
  delete Form1;
  delete backdrop_;
  delete environment_;
}

void TestLookOnScreen::cleanup()
{
  for (QWidget *window : QApplication::topLevelWidgets())
    if (window != backdrop_)
      window->hide();
}

void TestLookOnScreen::windowsAreRoundedAndOutlined_data()
{
  QTest::addColumn<int>("number");
  for (int number = 1; number <= 6; ++number)
    QTest::addRow("TForm%d", number) << number;
}

// Every pixel of the window's edge as the screen shows it: the backdrop where a corner
// picture is key-coloured, grey on the arcs and on the outline wherever no control covers it.
void TestLookOnScreen::windowsAreRoundedAndOutlined()
{
  QFETCH(int, number);
  QWidget *window = WindowNumbered(number);
  ShowAndWait(window);
  const QImage screen = GrabScreen();
  const QRect frame = window->geometry();
  SaveScreenshot(screen, frame, QStringLiteral("TForm%1").arg(number));
  const std::array<QPoint, 4> positions = ui::CornerPositions(frame.size());
  for (size_t corner = 0; corner < 4; ++corner) {
    const QImage &picture = ui::CornerPictures()[corner];
    for (int y = 0; y < picture.height(); ++y)
      for (int x = 0; x < picture.width(); ++x) {
        const QPoint onScreen = frame.topLeft() + positions[corner] + QPoint(x, y);
        const QRgb expected = picture.pixel(x, y) == ui::TransparentKey ? Backdrop : picture.pixel(x, y);
        QVERIFY2(screen.pixel(onScreen) == expected,
                 qPrintable(QStringLiteral("corner %1 pixel %2,%3").arg(corner).arg(x).arg(y)));
      }
  }
  for (const QRect &edge : ui::OutlineEdges(frame.size()))
    for (int y = edge.top(); y <= edge.bottom(); ++y)
      for (int x = edge.left(); x <= edge.right(); ++x)
        QVERIFY2(screen.pixel(frame.topLeft() + QPoint(x, y)) == ui::OutlineColour || CoveredByControl(window, {x, y}),
                 qPrintable(QStringLiteral("outline pixel %1,%2").arg(x).arg(y)));
}

void TestLookOnScreen::dialogStripEndsAtRow16()
{
  ShowAndWait(Form5);
  const QPoint start = Form5->pos();
  DragOnScreen(start + QPoint(60, 16), {40, 30});
  QTRY_COMPARE(Form5->pos(), start + QPoint(40, 30));
  DragOnScreen(Form5->pos() + QPoint(60, 17), {40, 30});
  QCOMPARE(Form5->pos(), start + QPoint(40, 30));
  Form5->hide();
  ShowAndWait(Form5);
  QCOMPARE(Form5->pos(), start + QPoint(40, 30));
}

void TestLookOnScreen::mainWindowStripEndsAtExitButtonAndRow39()
{
  ShowAndWait(Form1);
  const QPoint start = Form1->pos();
  DragOnScreen(start + QPoint(400, 39), {-20, 10});
  QTRY_COMPARE(Form1->pos(), start + QPoint(-20, 10));
  DragOnScreen(Form1->pos() + QPoint(832, 20), {20, -10});
  QTRY_COMPARE(Form1->pos(), start);
  DragOnScreen(start + QPoint(400, 40), {30, 30});
  QCOMPARE(Form1->pos(), start);
  DragOnScreen(start + QPoint(833, 20), {0, 0});
  QTRY_VERIFY(!Form1->isVisible());
}

void TestLookOnScreen::aboutBoxHasItsFrame()
{
  ShowAndWait(FormAbout);
  QCOMPARE(FormAbout->size(), QSize(216, 120));
  SaveScreenshot(GrabScreen(), FormAbout->frameGeometry(), QStringLiteral("About"));
}

QTEST_MAIN(TestLookOnScreen)
#include "test_look_on_screen.moc"
