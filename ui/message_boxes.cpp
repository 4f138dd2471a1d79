#include "ui/message_boxes.h"

#include <QLabel>
#include <QShowEvent>

#include "ui/borderless_frame.h"
#include "ui/glyphs.h"
#include "ui/message_label.h"
#include "ui/png_bit_btn.h"
#include "ui/window_behaviour.h"

namespace tv::ui {

namespace {

bool InDialogStrip(QPoint point) { return BorderlessFrame::InTopRows(point, 17); }

// The box is not fitted to its text: the label keeps its size and cuts what does not fit.
QLabel *TextLabel(QWidget *box)
{
  auto *label = new MessageLabel(box);
  label->setGeometry(16, 19, 305, 54);
  return label;
}

TPngBitBtn *BoxButton(QWidget *box, int left, const char *caption, const char *glyph)
{
  auto *button = new TPngBitBtn(box);
  button->setGeometry(left, 80, 81, 25);
  button->setText(QString::fromUtf8(caption));
  button->setPngImage(Glyph(glyph));
  return button;
}

void SetUpBox(QDialog *box, const char *caption)
{
  box->setWindowTitle(QString::fromUtf8(caption));
  box->setFixedSize(338, 120);
  KeepOpenOnEscape(box);
}

} // namespace

TForm5::TForm5(QWidget *parent)
    : QDialog(parent),
      frame_(new BorderlessFrame(this, CornerNames::TopLeftTopRightBottomLeftBottomRight, InDialogStrip))
{
  SetUpBox(this, "Message");
  Label1 = TextLabel(this);
  PngBitBtn1 = BoxButton(this, 128, "OK", "ok");
  connect(PngBitBtn1, &QAbstractButton::clicked, this, &QDialog::close);
}

void TForm5::showEvent(QShowEvent *event)
{
  PngBitBtn1->setFocus();
  QDialog::showEvent(event);
}

TForm6::TForm6(QWidget *parent)
    : QDialog(parent),
      frame_(new BorderlessFrame(this, CornerNames::TopLeftTopRightBottomLeftBottomRight, InDialogStrip))
{
  SetUpBox(this, "Delete file");
  Label1 = TextLabel(this);
  PngBitBtn1 = BoxButton(this, 80, "Yes", "ok");
  PngBitBtn2 = BoxButton(this, 168, "No", "cancel");
  setTabOrder(PngBitBtn2, PngBitBtn1);
  connect(PngBitBtn1, &QAbstractButton::clicked, this, [this] {
    deleteConfirmed_ = true;
    close();
  });
  connect(PngBitBtn2, &QAbstractButton::clicked, this, &QDialog::close);
}

// Every opening starts on No, also after Yes had the focus last time.
void TForm6::showEvent(QShowEvent *event)
{
  if (!event->spontaneous())
    deleteConfirmed_ = false;
  PngBitBtn2->setFocus();
  QDialog::showEvent(event);
}

} // namespace tv::ui
