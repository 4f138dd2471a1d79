// The frame, glyph buttons, boxes and About box as widgets, on the offscreen platform.
#include <QAccessible>
#include <QDesktopServices>
#include <QFontDatabase>
#include <QGroupBox>
#include <QIdentityProxyModel>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QRawFont>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <QtTest>
#include <functional>

#include "app/list_model.h"
#include "app/program.h"
#include "platform/fonts.h"
#include "settings/app_settings.h"
#include "tests/support/modal_script.h"
#include "tests/support/program_fixture.h"
#include "tests/support/test_environment.h"
#include "texts/texts.h"
#include "ui/borderless_frame.h"
#include "ui/glyphs.h"
#include "ui/png_bit_btn.h"
#include "ui/png_image_list.h"
#include "ui/png_speed_button.h"
#include "ui/pointer_feedback.h"
#include "ui/program_font.h"
#include "ui/window_shape.h"

using namespace tv;

namespace {

// The list's rows with their pictures as icons of the decoration role, as the styled
// delegate shows them by itself.
class IconsAsDecoration : public QIdentityProxyModel {
public:
  explicit IconsAsDecoration(const ui::TPngImageList &images) : images_(images) {}

  QVariant data(const QModelIndex &index, int role) const override
  {
    const QVariant image = QIdentityProxyModel::data(index, ListModel::RowImageRole);
    if (role != Qt::DecorationRole || !image.isValid())
      return QIdentityProxyModel::data(index, role);
    return images_.Icon(image.value<ops::ListImage>());
  }

private:
  const ui::TPngImageList &images_;
};

QWidget *WindowNumbered(Program &program, int number)
{
  const std::array<QWidget *, 6> windows{program.Form1, program.Form2, program.Form3,
                                         program.Form4, program.Form5, program.Form6};
  return windows[static_cast<size_t>(number - 1)];
}

// The top, right, bottom and left lines of the outline as designed, from corner picture to
// corner picture.
std::array<QRect, 4> DesignedOutline(QSize window)
{
  const int w = window.width();
  const int h = window.height();
  return {QRect(12, 0, w - 24, 1), QRect(w - 1, 12, 1, h - 24), QRect(12, h - 1, w - 23, 1), QRect(0, 12, 1, h - 23)};
}

// Presses the left button at a point of the window, moves the pointer by an offset and lets
// go, as the window system reports it: in the window's place at the time of each event.
void Drag(QWidget *window, QPoint from, QPoint offset)
{
  const QPoint pointer = window->mapToGlobal(from) + offset;
  QTest::mousePress(window->windowHandle(), Qt::LeftButton, {}, from);
  QTest::mouseMove(window->windowHandle(), window->mapFromGlobal(pointer));
  QTest::mouseRelease(window->windowHandle(), Qt::LeftButton, {}, window->mapFromGlobal(pointer));
}

// Runs the dialog modally while `whileOpen` acts on it; closes it afterwards if it is still
// open and tells whether it was.
bool StayedOpen(QDialog *dialog, const std::function<void()> &whileOpen)
{
  bool open = false;
  const test::ModalScript script({[&](QWidget *window) {
    QCOMPARE(window, dialog);
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    whileOpen();
    open = dialog->isVisible();
    dialog->close();
  }});
  dialog->exec();
  return open;
}

void PressKey(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }

// What the label shows, drawn without its background.
QImage TextOf(QLabel *label, const QString &text)
{
  label->setText(text);
  QImage image(label->size(), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  label->render(&image, {}, {}, QWidget::DrawChildren);
  return image;
}

// The smallest rectangle holding every drawn pixel.
QRect Ink(const QImage &image)
{
  QRect ink;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(image.pixel(x, y)) != 0)
        ink |= QRect(x, y, 1, 1);
  return ink;
}

bool RowHasInk(const QImage &image, int y)
{
  for (int x = 0; x < image.width(); ++x)
    if (qAlpha(image.pixel(x, y)) != 0)
      return true;
  return false;
}

// The lowest row of the rectangle with a dark grey pixel (text drawn in black), or -1.
int LowestTextRow(const QImage &image, const QRect &within)
{
  for (int y = within.bottom(); y >= within.top(); --y)
    for (int x = within.left(); x <= within.right(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      if (qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel) && qRed(pixel) < 160)
        return y;
    }
  return -1;
}

// How many rows below its baseline the text's lowest ink lies, drawn in black on white.
int InkBelowBaseline(const QString &text, const QFont &font)
{
  QImage scratch(600, 120, QImage::Format_RGB32);
  scratch.fill(Qt::white);
  QPainter painter(&scratch);
  painter.setFont(ui::FontForText(font, text));
  painter.setPen(Qt::black);
  painter.drawText(QPoint(10, 60), text);
  painter.end();
  return LowestTextRow(scratch, scratch.rect()) - 60;
}

// The labels and button captions whose baselines the design places, by index.
QWidget *TextControl(Program &program, int index)
{
  const std::array<QWidget *, 5> controls{program.Form1->Label2, program.Form1->Label3, program.Form1->PngSpeedButton10,
                                          program.Form2->Label1, program.Form4->PngSpeedButton1};
  return controls[static_cast<size_t>(index)];
}

class UrlCatcher : public QObject {
  Q_OBJECT
public:
  QList<QUrl> opened;
public slots:
  void open(const QUrl &url) { opened.append(url); }
};

} // namespace

class TestLookOffscreen : public test::ProgramTest {
  Q_OBJECT
private slots:
  void initTestCase();
  void cleanupTestCase();
  void outlineIsClosedAndGreyAtEverySize_data();
  void outlineIsClosedAndGreyAtEverySize();
  void cornerImagesAreNamedPerWindow_data();
  void cornerImagesAreNamedPerWindow();
  void dragStripBounds_data();
  void dragStripBounds();
  void pressesOnOwnWindowControlsNeverDrag_data();
  void pressesOnOwnWindowControlsNeverDrag();
  void boldTextsUseTheBoldFace_data();
  void boldTextsUseTheBoldFace();
  void columnTitlesTurnRedUnderThePointer();
  void bottomButtonsInvertFlatOnEveryPressAndRelease();
  void pressedSpeedButtonShiftsItsGlyph();
  void aboutPicturesShowFullColourWhileDisabled();
  void disabledMenuImageIsHalfTransparent();
  void buttonsTellScreenReadersTheirCaptionOrHint();
  void confirmationOpensOnNoAndEscapeDoesNothing();
  void confirmationTabsBetweenButtonsAndYesConfirms();
  void messageBoxOpensOnOkAndEscapeDoesNothing();
  void messagesAreShownLiterally_data();
  void messagesAreShownLiterally();
  void longMessageShowsThreeLinesAndTopOfFourth();
  void aboutTextsFitTheBox_data();
  void aboutTextsFitTheBox();
  void aboutBoxInSecondLanguageTwice();
  void aboutBoxStaysOpenOnKeysAndVisitsWebsite();
  void textsThatNeedShapingAreShaped_data();
  void textsThatNeedShapingAreShaped();
  void typedNamesAreShaped();
  void textsStandOnTheDesignedBaselines_data();
  void textsStandOnTheDesignedBaselines();

private:
  test::TestEnvironment *environment_ = nullptr;
};

void TestLookOffscreen::initTestCase()
{
  environment_ = new test::TestEnvironment;
  environment_->setUserLanguage(QStringLiteral("en"));
  platform::RegisterProgramFonts();
}

void TestLookOffscreen::cleanupTestCase() { delete environment_; }

void TestLookOffscreen::outlineIsClosedAndGreyAtEverySize_data()
{
  QTest::addColumn<QSize>("size");
  for (QSize size : {QSize(860, 604), QSize(272, 102), QSize(256, 88), QSize(256, 340), QSize(338, 120)})
    QTest::addRow("%dx%d", size.width(), size.height()) << size;
}

// Grey exactly on the outline and the arcs, and closed: a fill from the middle that does
// not cross grey never reaches the edge of the picture or a cut corner pixel.
void TestLookOffscreen::outlineIsClosedAndGreyAtEverySize()
{
  QFETCH(QSize, size);
  ui::BorderlessWidget window(nullptr, ui::CornerNames::TopLeftTopRightBottomLeftBottomRight,
                              [](QPoint point) { return ui::BorderlessFrame::InTopRows(point, 17); });
  window.setFixedSize(size);
  const QImage picture = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
  QCOMPARE(picture.size(), size);

  QImage expected(size, QImage::Format_RGB32);
  expected.fill(Qt::white);
  for (const QRect &edge : DesignedOutline(size))
    for (int y = edge.top(); y <= edge.bottom(); ++y)
      for (int x = edge.left(); x <= edge.right(); ++x)
        expected.setPixel(x, y, ui::OutlineColour);
  const std::array<QPoint, 4> positions = ui::CornerPositions(size);
  for (size_t corner = 0; corner < 4; ++corner)
    for (int y = 0; y < ui::CornerSize; ++y)
      for (int x = 0; x < ui::CornerSize; ++x) {
        const QRgb pixel = ui::CornerPictures()[corner].pixel(x, y);
        if (pixel == ui::OutlineColour)
          expected.setPixel(positions[corner] + QPoint(x, y), pixel);
      }
  for (int y = 0; y < size.height(); ++y)
    for (int x = 0; x < size.width(); ++x)
      QVERIFY2((picture.pixel(x, y) == ui::OutlineColour) == (expected.pixel(x, y) == ui::OutlineColour),
               qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));

  QImage reached(size, QImage::Format_Mono);
  reached.fill(0);
  QList<QPoint> pending{QPoint(size.width() / 2, size.height() / 2)};
  while (!pending.isEmpty()) {
    const QPoint p = pending.takeLast();
    if (!picture.rect().contains(p) || reached.pixelIndex(p) || picture.pixel(p) == ui::OutlineColour)
      continue;
    QVERIFY2(picture.pixel(p) == 0xffffffff && p.x() > 0 && p.y() > 0 && p.x() < size.width() - 1 &&
                 p.y() < size.height() - 1,
             qPrintable(QStringLiteral("outline open at %1,%2").arg(p.x()).arg(p.y())));
    reached.setPixel(p, 1);
    pending << p + QPoint(1, 0) << p - QPoint(1, 0) << p + QPoint(0, 1) << p - QPoint(0, 1);
  }
}

void TestLookOffscreen::cornerImagesAreNamedPerWindow_data()
{
  QTest::addColumn<int>("number");
  QTest::addColumn<bool>("image3BottomRight");
  for (int number = 1; number <= 6; ++number)
    QTest::addRow("TForm%d", number) << number << (number == 2 || number == 3);
}

// Image1 to Image4 sit in the corners the window's naming gives them, and the window's
// shape leaves out the four outermost corner pixels but keeps the ends of the arcs.
void TestLookOffscreen::cornerImagesAreNamedPerWindow()
{
  QFETCH(int, number);
  QFETCH(bool, image3BottomRight);
  QWidget *window = WindowNumbered(*program, number);
  window->show();
  QVERIFY(QTest::qWaitForWindowExposed(window));
  const int right = window->width() - 12;
  const int bottom = window->height() - 12;
  const std::array<QPoint, 4> expected{QPoint(0, 0), QPoint(right, 0),
                                       image3BottomRight ? QPoint(right, bottom) : QPoint(0, bottom),
                                       image3BottomRight ? QPoint(0, bottom) : QPoint(right, bottom)};
  for (int i = 0; i < 4; ++i) {
    auto *image = window->findChild<QLabel *>(QStringLiteral("Image%1").arg(i + 1));
    QVERIFY(image);
    QCOMPARE(image->geometry(), QRect(expected[static_cast<size_t>(i)], QSize(12, 12)));
  }
  const QRegion shape = window->mask();
  const int w = window->width();
  const int h = window->height();
  for (QPoint cut : {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)})
    QVERIFY(!shape.contains(cut));
  for (QPoint kept : {QPoint(0, 11), QPoint(11, 0), QPoint(w - 1, h - 12), QPoint(w / 2, h / 2)})
    QVERIFY(shape.contains(kept));
  window->hide();
}

void TestLookOffscreen::dragStripBounds_data()
{
  QTest::addColumn<int>("number");
  QTest::addColumn<QPoint>("press");
  QTest::addColumn<bool>("drags");
  for (int number : {5, 6}) {
    QTest::addRow("TForm%d row 16", number) << number << QPoint(100, 16) << true;
    QTest::addRow("TForm%d row 17", number) << number << QPoint(100, 17) << false;
  }
  QTest::newRow("TForm4 row 31, below its title's Qt height") << 4 << QPoint(100, 31) << true;
  QTest::newRow("TForm4 row 32") << 4 << QPoint(100, 32) << false;
  QTest::newRow("TForm1 row 39") << 1 << QPoint(400, 39) << true;
  QTest::newRow("TForm1 row 40") << 1 << QPoint(400, 40) << false;
  QTest::newRow("TForm1 Exit button's first column") << 1 << QPoint(832, 20) << true;
  QTest::newRow("TForm1 path label") << 1 << QPoint(300, 25) << true;
  QTest::newRow("TForm1 Up button below the strip") << 1 << QPoint(20, 50) << false;
}

void TestLookOffscreen::dragStripBounds()
{
  QFETCH(int, number);
  QFETCH(QPoint, press);
  QFETCH(bool, drags);
  QWidget *window = WindowNumbered(*program, number);
  window->show();
  QVERIFY(QTest::qWaitForWindowExposed(window));
  const QPoint start = window->pos();
  Drag(window, press, {25, 15});
  QCOMPARE(window->pos(), drags ? start + QPoint(25, 15) : start);
  window->move(start);
  window->hide();
}

void TestLookOffscreen::pressesOnOwnWindowControlsNeverDrag_data()
{
  QTest::addColumn<QString>("control");
  QTest::addColumn<bool>("drags");
  QTest::newRow("window itself") << "" << true;
  QTest::newRow("label") << "label" << true;
  QTest::newRow("glyph button") << "glyph" << true;
  QTest::newRow("edit") << "edit" << false;
  QTest::newRow("push button") << "push" << false;
  QTest::newRow("radio group") << "group" << false;
  QTest::newRow("radio button in the group") << "radio" << false;
}

void TestLookOffscreen::pressesOnOwnWindowControlsNeverDrag()
{
  QFETCH(QString, control);
  ui::BorderlessWidget window(nullptr, ui::CornerNames::TopLeftTopRightBottomLeftBottomRight,
                              [](QPoint point) { return point.y() < 60; });
  window.setFixedSize(300, 120);
  const std::pair<QWidget *, QRect> controls[] = {
      {new QLabel(QStringLiteral("Title"), &window), {20, 4, 40, 16}},
      {new ui::TPngSpeedButton(&window), {70, 4, 23, 22}},
      {new QLineEdit(&window), {100, 4, 60, 20}},
      {new ui::TPngBitBtn(&window), {170, 4, 40, 25}},
      {new QGroupBox(&window), {220, 4, 70, 50}},
  };
  for (const auto &[widget, geometry] : controls)
    widget->setGeometry(geometry);
  new QRadioButton(QStringLiteral("A"), static_cast<QGroupBox *>(controls[4].first));
  controls[4].first->findChild<QRadioButton *>()->setGeometry(5, 20, 50, 20);
  const QMap<QString, QPoint> at{{QString(), {10, 40}},
                                 {QStringLiteral("label"), {30, 10}},
                                 {QStringLiteral("glyph"), {80, 10}},
                                 {QStringLiteral("edit"), {120, 10}},
                                 {QStringLiteral("push"), {190, 10}},
                                 {QStringLiteral("group"), {280, 10}},
                                 {QStringLiteral("radio"), {230, 32}}};
  QSignalSpy glyphClicks(static_cast<ui::TPngSpeedButton *>(controls[1].first), &QAbstractButton::clicked);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  const QPoint start = window.pos();
  Drag(&window, at[control], {10, 20});
  QFETCH(bool, drags);
  QCOMPARE(window.pos(), drags ? start + QPoint(10, 20) : start);
  QCOMPARE(glyphClicks.count(), 0);
}

void TestLookOffscreen::boldTextsUseTheBoldFace_data()
{
  QTest::addColumn<int>("label");
  QTest::addColumn<int>("pixels");
  QTest::newRow("Filename") << 0 << 16;
  QTest::newRow("Size") << 1 << 16;
  QTest::newRow("Last modified") << 2 << 16;
  QTest::newRow("Options title") << 3 << 16;
  QTest::newRow("About title") << 4 << 11;
}

// Drawn with Tahoma's own bold face, not with the regular one thickened by Qt.
void TestLookOffscreen::boldTextsUseTheBoldFace()
{
  QFETCH(int, label);
  QFETCH(int, pixels);
  if (!QFontDatabase::families().contains(QStringLiteral("Tahoma")))
    QSKIP("the Tahoma font (fonts-wine) is not installed");
  const std::array<QLabel *, 5> labels{program->Form1->Label3, program->Form1->Label4, program->Form1->Label5,
                                       program->Form4->Label1, program->FormAbout->Label1};
  const QRawFont face = QRawFont::fromFont(labels[static_cast<size_t>(label)]->font());
  QCOMPARE(face.familyName(), QStringLiteral("Tahoma"));
  QCOMPARE(face.pixelSize(), qreal(pixels));
  QCOMPARE(face.weight(), int(QFont::Bold));
  QCOMPARE(face.styleName(), QStringLiteral("Bold"));
}

void TestLookOffscreen::columnTitlesTurnRedUnderThePointer()
{
  const QColor normal = program->Form1->palette().color(QPalette::WindowText);
  QLabel *filename = program->Form1->Label3;
  QLabel *size = program->Form1->Label4;
  QEnterEvent enter({}, {}, {});
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(filename, &enter);
  QCOMPARE(filename->palette().color(QPalette::WindowText), QColor(Qt::red));
  QApplication::sendEvent(filename, &leave);
  QApplication::sendEvent(size, &enter);
  QCOMPARE(filename->palette().color(QPalette::WindowText), normal);
  QCOMPARE(size->palette().color(QPalette::WindowText), QColor(255, 0, 0));
  QApplication::sendEvent(size, &leave);
  QCOMPARE(size->palette().color(QPalette::WindowText), normal);
}

// Left button: pushed face while held; other buttons: a face at rest and no action.
void TestLookOffscreen::bottomButtonsInvertFlatOnEveryPressAndRelease()
{
  program->Form1->show();
  QVERIFY(QTest::qWaitForWindowExposed(program->Form1));
  // New folder, Word, Excel and PowerPoint
  for (ui::TPngSpeedButton *button : {program->Form1->PngSpeedButton10, program->Form1->PngSpeedButton7,
                                      program->Form1->PngSpeedButton8, program->Form1->PngSpeedButton9}) {
    QSignalSpy clicks(button, &QAbstractButton::clicked);
    QTest::mousePress(button, Qt::RightButton);
    QVERIFY(!button->IsFlat());
    QVERIFY(!button->isDown());
    QTest::mouseRelease(button, Qt::RightButton);
    QVERIFY(button->IsFlat());
    QCOMPARE(clicks.count(), 0);
  }
  QVERIFY(program->Form1->PngSpeedButton6->IsFlat());
  QTest::mousePress(program->Form1->PngSpeedButton6, Qt::RightButton);
  QVERIFY(program->Form1->PngSpeedButton6->IsFlat());
  QTest::mouseRelease(program->Form1->PngSpeedButton6, Qt::RightButton);
  program->Form1->hide();

  QWidget panel;
  auto *button = new ui::TPngSpeedButton(&panel);
  ui::InvertFlatOnPressAndRelease(button);
  panel.show();
  QVERIFY(QTest::qWaitForWindowExposed(&panel));
  QSignalSpy clicks(button, &QAbstractButton::clicked);
  QTest::mousePress(button, Qt::LeftButton);
  QVERIFY(!button->IsFlat());
  QVERIFY(button->isDown());
  QTest::mouseRelease(button, Qt::LeftButton);
  QVERIFY(button->IsFlat());
  QCOMPARE(clicks.count(), 1);
}

void TestLookOffscreen::pressedSpeedButtonShiftsItsGlyph()
{
  QWidget panel;
  panel.setAutoFillBackground(true);
  panel.setPalette(QPalette(Qt::white));
  auto *button = new ui::TPngSpeedButton(&panel);
  button->setGeometry(0, 0, 25, 25);
  button->SetMargin(4);
  button->SetPngImage(ui::Glyph(ui::Picture::Ok));
  const QImage atRest = button->grab().toImage();
  button->setDown(true);
  const QImage pressed = button->grab().toImage();
  QCOMPARE(pressed.copy(5, 6, 16, 16), atRest.copy(4, 5, 16, 16));
  QImage plain(16, 16, atRest.format());
  plain.fill(Qt::white);
  QVERIFY(atRest.copy(4, 5, 16, 16) != plain);
  QVERIFY(pressed.copy(4, 5, 16, 16) != atRest.copy(4, 5, 16, 16));
}

void TestLookOffscreen::aboutPicturesShowFullColourWhileDisabled()
{
  for (ui::TPngSpeedButton *picture :
       {program->FormAbout->PngSpeedButton1, program->FormAbout->PngSpeedButton2}) { // logo, credit
    QVERIFY(!picture->isEnabled());
    QVERIFY(picture->IsFlat());
    const QImage disabled = picture->grab().toImage();
    picture->setEnabled(true);
    const QImage enabled = picture->grab().toImage();
    picture->setEnabled(false);
    QCOMPARE(disabled, enabled);
    picture->SetPngOptions(ui::pngBlendOnDisabled);
    QVERIFY(picture->grab().toImage() != enabled);
    picture->SetPngOptions(0);
  }
}

void TestLookOffscreen::disabledMenuImageIsHalfTransparent()
{
  for (ops::ListImage index : {ops::ListImage::Delete, ops::ListImage::Rename}) {
    const QImage image = program->Form1->PngImageList1->Image(index);
    const QImage disabled = program->Form1->PngImageList1->Icon(index)
                                .pixmap(16, QIcon::Disabled)
                                .toImage()
                                .convertToFormat(QImage::Format_ARGB32);
    const QImage normal =
        program->Form1->PngImageList1->Icon(index).pixmap(16).toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(normal, image);
    QImage expected = image.copy();
    ui::MakeImageBlended(expected);
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x)
        QCOMPARE(qAlpha(disabled.pixel(x, y)), qAlpha(expected.pixel(x, y)));
  }
  QVERIFY(program->Form1->PngImageList1->Image(ops::ListImage(8)).isNull());

  // Icons are kept between uses; new options must still reach them.
  program->Form1->PngImageList1->SetPngOptions(0);
  const QImage plain = program->Form1->PngImageList1->Icon(ops::ListImage::Delete)
                           .pixmap(16, QIcon::Disabled)
                           .toImage()
                           .convertToFormat(QImage::Format_ARGB32);
  program->Form1->PngImageList1->SetPngOptions(ui::pngBlendOnDisabled);
  QCOMPARE(plain, program->Form1->PngImageList1->Image(ops::ListImage::Delete));
}

void TestLookOffscreen::buttonsTellScreenReadersTheirCaptionOrHint()
{
  const auto name = [](QWidget *button) {
    return QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name);
  };
  QCOMPARE(name(program->Form1->PngSpeedButton1), QStringLiteral("Exit"));
  QCOMPARE(name(program->Form1->PngSpeedButton10), QStringLiteral("New folder"));
  QCOMPARE(name(program->Form6->PngBitBtn2), QStringLiteral("No"));
  QWidget panel;
  auto *button = new ui::TPngSpeedButton(&panel);
  button->SetHint(QStringLiteral("Hint"));
  QCOMPARE(name(button), QStringLiteral("Hint"));
  button->setText(QStringLiteral("R&D"));
  QCOMPARE(name(button), QStringLiteral("R&D"));
  auto *push = new ui::TPngBitBtn(&panel);
  push->SetHint(QStringLiteral("Push hint"));
  QCOMPARE(name(push), QStringLiteral("Push hint"));
  QCOMPARE(QAccessible::queryAccessibleInterface(push)->role(), QAccessible::Button);
}

void TestLookOffscreen::confirmationOpensOnNoAndEscapeDoesNothing()
{
  QWidget *focused = nullptr;
  bool openAfterEscape = false;
  QVERIFY(!StayedOpen(program->Form6, [&] {
    focused = QApplication::focusWidget();
    PressKey(Qt::Key_Escape);
    openAfterEscape = program->Form6->isVisible();
    PressKey(Qt::Key_Return);
  }));
  QCOMPARE(focused, program->Form6->PngBitBtn2);
  QVERIFY(openAfterEscape);
  QVERIFY(!program->Form6->DeleteConfirmed());
}

void TestLookOffscreen::confirmationTabsBetweenButtonsAndYesConfirms()
{
  QList<QWidget *> focusPath;
  QVERIFY(!StayedOpen(program->Form6, [&] {
    PressKey(Qt::Key_Tab);
    focusPath << QApplication::focusWidget();
    PressKey(Qt::Key_Tab);
    focusPath << QApplication::focusWidget();
    PressKey(Qt::Key_Tab);
    focusPath << QApplication::focusWidget();
    PressKey(Qt::Key_Space);
  }));
  QCOMPARE(focusPath,
           (QList<QWidget *>{program->Form6->PngBitBtn1, program->Form6->PngBitBtn2, program->Form6->PngBitBtn1}));
  QVERIFY(program->Form6->DeleteConfirmed());
  QWidget *focused = nullptr;
  StayedOpen(program->Form6, [&] { focused = QApplication::focusWidget(); });
  QCOMPARE(focused, program->Form6->PngBitBtn2);
  QVERIFY(!program->Form6->DeleteConfirmed());
}

void TestLookOffscreen::messageBoxOpensOnOkAndEscapeDoesNothing()
{
  QWidget *focused = nullptr;
  bool openAfterEscape = false;
  QVERIFY(!StayedOpen(program->Form5, [&] {
    focused = QApplication::focusWidget();
    PressKey(Qt::Key_Escape);
    openAfterEscape = program->Form5->isVisible();
    PressKey(Qt::Key_Enter);
  }));
  QCOMPARE(focused, program->Form5->PngBitBtn1);
  QVERIFY(openAfterEscape);
}

void TestLookOffscreen::messagesAreShownLiterally_data()
{
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("narrower");
  QTest::newRow("an ampersand is drawn") << QStringLiteral("&") << QString();
  QTest::newRow("two ampersands stay two") << QStringLiteral("R&&D") << QStringLiteral("R&D");
  QTest::newRow("ampersand before a letter") << QStringLiteral("R&D") << QStringLiteral("RD");
  QTest::newRow("markup is text") << QStringLiteral("<b>x</b>") << QStringLiteral("x");
  QTest::newRow("a name with both") << QStringLiteral("a&b <b>x</b>.txt") << QStringLiteral("a&b x.txt");
}

// Each text is drawn wider than the narrower one it would shrink to if a label that shows
// names, paths or messages read ampersands as underline markers or the text as markup.
void TestLookOffscreen::messagesAreShownLiterally()
{
  QFETCH(QString, text);
  QFETCH(QString, narrower);
  const QList<QLabel *> labels{program->Form1->Label1, program->Form5->Label1,    program->Form6->Label1,
                               program->Form2->Label1, program->Form2->Label2,    program->Form3->Label1,
                               program->Form4->Label1, program->FormAbout->Label4};
  for (QLabel *label : labels) {
    const QRect geometry = label->geometry();
    const QString shown = label->text();
    label->resize(400, label->height());
    QVERIFY2(Ink(TextOf(label, text)).width() > Ink(TextOf(label, narrower)).width(),
             qPrintable(label->parentWidget()->objectName() + label->parentWidget()->windowTitle()));
    label->setText(shown);
    label->setGeometry(geometry);
  }
}

// Lines 16 pixels apart, each baseline 13 pixels below its line's top, so that the first rows
// of a line stay empty above the tallest letters: three full lines and the top 6 pixels of a
// fourth, the fifth cut away; the label and the button below keep their places.
void TestLookOffscreen::longMessageShowsThreeLinesAndTopOfFourth()
{
  const QString text = QStringLiteral("A long message that needs more than three lines of this box, so that its "
                                      "fourth and fifth lines run past the bottom edge of the label and are cut off "
                                      "there, while the button stays where it is below the text.");
  const QImage shown = TextOf(program->Form5->Label1, text);
  QCOMPARE(shown.size(), QSize(305, 54));
  for (int line = 0; line < 3; ++line) {
    QVERIFY(RowHasInk(shown, line * 16 + 5));
    QVERIFY(!RowHasInk(shown, line * 16 + 1));
  }
  QVERIFY(RowHasInk(shown, 52));
  QCOMPARE(program->Form5->PngBitBtn1->geometry(), QRect(128, 80, 81, 25));
  const QString longWord = QStringLiteral("Supercalifragilisticexpialidocious_with_more_letters_than_fit.txt");
  QCOMPARE(Ink(TextOf(program->Form5->Label1, longWord)).right(), 304);
}

void TestLookOffscreen::aboutTextsFitTheBox_data()
{
  QTest::addColumn<bool>("english");
  QTest::newRow("English") << true;
  QTest::newRow("second language") << false;
}

// Every line ends inside the box, with its text drawn whole.
void TestLookOffscreen::aboutTextsFitTheBox()
{
  QFETCH(bool, english);
  program->settings.IsEnglish = english;
  QTimer::singleShot(0, program->FormAbout, [this] { program->FormAbout->close(); });
  program->Form1->PngSpeedButton3Click();
  for (QLabel *label : {program->FormAbout->Label1, program->FormAbout->Label2, program->FormAbout->Label3,
                        program->FormAbout->Label4}) {
    QVERIFY2(label->x() + label->fontMetrics().horizontalAdvance(label->text()) < program->FormAbout->width(),
             qPrintable(label->text()));
    QCOMPARE(label->width(), label->sizeHint().width());
  }
}

void TestLookOffscreen::aboutBoxInSecondLanguageTwice()
{
  program->settings.IsEnglish = false;
  for (int showing = 0; showing < 2; ++showing) {
    QTimer::singleShot(0, program->FormAbout, [this] { program->FormAbout->close(); });
    program->Form1->PngSpeedButton3Click();
    QCOMPARE(program->FormAbout->windowTitle(), QString::fromUtf8("关于"));
    QCOMPARE(program->FormAbout->Label3->text(), QString::fromUtf8("版本 1.2"));
    QCOMPARE(program->FormAbout->Label4->text(), QString::fromUtf8("感谢每一位使用Tarnview的用户"));
    QCOMPARE(program->FormAbout->PngSpeedButton3->text(), QString::fromUtf8("访问主页"));
    QCOMPARE(program->FormAbout->Label2->text(), QString::fromUtf8("© 2008 Corvane"));
  }
}

void TestLookOffscreen::aboutBoxStaysOpenOnKeysAndVisitsWebsite()
{
  QVERIFY(program->FormAbout->windowFlags() & Qt::WindowStaysOnTopHint);
  QVERIFY(!(program->FormAbout->windowFlags() & Qt::FramelessWindowHint));
  QCOMPARE(program->FormAbout->size(), QSize(216, 120));
  QCOMPARE(program->FormAbout->windowIcon().availableSizes(),
           (QList<QSize>{QSize(16, 16), QSize(24, 24), QSize(32, 32), QSize(48, 48)}));
  UrlCatcher catcher;
  QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
  QVERIFY(StayedOpen(program->FormAbout, [this] {
    QTest::keyClick(program->FormAbout, Qt::Key_Escape);
    QTest::keyClick(program->FormAbout, Qt::Key_Return);
    QTest::mouseClick(program->FormAbout->PngSpeedButton3, Qt::LeftButton);
    QTest::mouseClick(program->FormAbout->PngSpeedButton1, Qt::LeftButton);
  }));
  QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
  QCOMPARE(catcher.opened, (QList<QUrl>{QUrl(QStringLiteral("https://www.example.com/tarnview"))}));
}

// The program's own texts are drawn unshaped; a name that needs shaping must look exactly as
// Qt shapes it, in the list, the path above it and the message boxes.
void TestLookOffscreen::textsThatNeedShapingAreShaped_data()
{
  QTest::addColumn<QString>("name");
  QTest::addColumn<bool>("needsShaping");
  QTest::newRow("English") << QStringLiteral("Report final.docx") << false;
  QTest::newRow("accents, composed") << QString::fromUtf8("\xc3\xa9t\xc3\xa9 \xc3\x85ngstr\xc3\xb6m") << false;
  QTest::newRow("Chinese") << QString::fromUtf8("\xe6\x96\x87\xe4\xbb\xb6\xe5\xa4\xb9 1") << false;
  QTest::newRow("Japanese kana") << QString::fromUtf8("\xe3\x81\x8b\xe3\x82\xab") << false;
  QTest::newRow("accent as a combining mark") << QString::fromUtf8("e\xcc\x81te\xcc\x81") << true;
  QTest::newRow("Arabic")
      << QString::fromUtf8(
             "\xd9\x85\xd8\xb1\xd8\xad\xd8\xa8\xd8\xa7 \xd8\xa8\xd8\xa7\xd9\x84\xd8\xb9\xd8\xa7\xd9\x84\xd9\x85")
      << true;
  QTest::newRow("Hebrew") << QString::fromUtf8("\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d") << true;
  QTest::newRow("Greek") << QString::fromUtf8("\xce\xb1\xce\xb2\xce\xb3") << true;
  QTest::newRow("emoji joined") << QString::fromUtf8("\xf0\x9f\x91\xa9\xe2\x80\x8d\xf0\x9f\x92\xbb") << true;
}

void TestLookOffscreen::textsThatNeedShapingAreShaped()
{
  QFETCH(QString, name);
  QFETCH(bool, needsShaping);
  QCOMPARE(ui::DrawableWithoutShaping(name), !needsShaping);
  if (!needsShaping)
    return;

  const QByteArray folder = environment_->makeFolder("shaped/" + name.toUtf8());
  test::WriteFile(folder + name.toUtf8() + ".txt");
  program->Form1->OpenFolder(folder);
  QVERIFY(Settled());
  QCOMPARE(program->Form1->Label1->font(), ui::ShapedFont(program->Form1->Label2->font()));
  QTreeView *view = program->Form1->ListView1;
  const QRect nameColumn(0, 0, view->columnWidth(0), 40);
  const QImage painted = view->viewport()->grab(nameColumn).toImage();
  QAbstractItemDelegate *own = view->itemDelegate();
  QAbstractItemModel *rows = view->model();
  QStyledItemDelegate styled;
  IconsAsDecoration decorated(*program->Form1->PngImageList1);
  decorated.setSourceModel(rows);
  const QFont unshaped = view->font();
  view->setItemDelegate(&styled);
  view->setModel(&decorated);
  view->setFont(ui::ShapedFont(unshaped));
  const QImage shaped = view->viewport()->grab(nameColumn).toImage();
  view->setFont(unshaped);
  view->setModel(rows);
  view->setItemDelegate(own);
  QCOMPARE(painted, shaped);

  QLabel *message = program->Form5->Label1;
  message->setText(name);
  const QImage messagePainted = message->grab().toImage();
  message->setFont(ui::ShapedFont(message->font()));
  const QImage messageShaped = message->grab().toImage();
  message->setFont(QFont());
  QCOMPARE(messagePainted, messageShaped);
}

void TestLookOffscreen::typedNamesAreShaped()
{
  for (QLineEdit *edit : {program->Form2->Edit1, program->Form3->Edit1})
    QCOMPARE(edit->font(), ui::ShapedFont(edit->font()));
  QTreeView *view = program->Form1->ListView1;
  QStyleOptionViewItem option;
  option.font = view->font();
  std::unique_ptr<QWidget> editor(
      view->itemDelegate()->createEditor(view->viewport(), option, view->model()->index(0, 0)));
  QVERIFY(editor);
  QCOMPARE(editor->font(), ui::ShapedFont(view->font()));
}

void TestLookOffscreen::textsStandOnTheDesignedBaselines_data()
{
  QTest::addColumn<int>("control");
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("baseline");
  // A baseline lies the face's Windows ascent (Tahoma's is its pixel size) below the top of
  // its line; a caption's line is 16 pixels high, centred in its 25-pixel button.
  const struct {
    const char *name;
    const TextPair &text;
    int baseline;
  } cases[] = {
      {"title prefix, 19 px at y 16", texts::IndexOf, 16 + 19},
      {"column title, bold 16 px at y 80", texts::FilenameTitle, 80 + 16},
      {"main window caption at y 568", texts::NewFolderButton, 568 + 4 + 13},
      {"name dialog label, 13 px at y 19", texts::FilenameLabel, 19 + 13},
      {"Options dialog caption at y 246", texts::ResetDefaultSettings, 246 + 4 + 13},
  };
  for (int control = 0; control < int(std::size(cases)); ++control) {
    const auto &[name, text, baseline] = cases[control];
    QTest::addRow("%s, English", name) << control << QString::fromUtf8(text.english) << baseline;
    QTest::addRow("%s, second language", name) << control << QString::fromUtf8(text.second) << baseline;
  }
}

// The shown text's lowest ink lies as far below the designed baseline as the text's lowest
// ink lies below its baseline wherever it is drawn, in both languages.
void TestLookOffscreen::textsStandOnTheDesignedBaselines()
{
  QFETCH(int, control);
  QFETCH(QString, text);
  QWidget *widget = TextControl(*program, control);
  const QVariant shown = widget->property("text");
  const QRect geometry = widget->geometry();
  widget->setProperty("text", text);
  widget->resize(400, widget->height());
  const QImage picture = widget->grab().toImage();
  widget->setProperty("text", shown);
  widget->setGeometry(geometry);
  const int lowestInk = LowestTextRow(picture, picture.rect());
  QVERIFY(lowestInk >= 0);
  QTEST(widget->mapTo(widget->window(), QPoint(0, lowestInk)).y() - InkBelowBaseline(text, widget->font()), "baseline");
}

QTEST_MAIN(TestLookOffscreen)
#include "test_look_offscreen.moc"
