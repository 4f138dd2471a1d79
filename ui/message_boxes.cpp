// The program's message box and its delete confirmation box.
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

TPngBitBtn *BoxButton(QWidget *box, int left, Picture glyph)
{
  auto *button = new TPngBitBtn(box);
  button->setGeometry(left, 80, 81, 25);
  button->SetPngImage(Glyph(glyph));
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
    : BorderlessDialog(parent, CornerNames::TopLeftTopRightBottomLeftBottomRight, InDialogStrip)
{
  SetUpBox(this, texts::MessageCaption);
  Label1 = TextLabel(this);
  PngBitBtn1 = BoxButton(this, 128, Picture::Ok);
  PngBitBtn1->setText(QString::fromUtf8(OkCaption));
  connect(PngBitBtn1, &QAbstractButton::clicked, this, &QDialog::close);
}

void TForm5::SetMessage(const QString &text) { Label1->setText(text); }

void TForm5::showEvent(QShowEvent *event)
{
  PngBitBtn1->setFocus();
  BorderlessDialog::showEvent(event);
}

TForm6::TForm6(QWidget *parent)
    : BorderlessDialog(parent, CornerNames::TopLeftTopRightBottomLeftBottomRight, InDialogStrip)
{
  SetUpBox(this, texts::DeleteFileCaption);
  Label1 = TextLabel(this);
  PngBitBtn1 = BoxButton(this, 80, Picture::Ok);
  PngBitBtn2 = BoxButton(this, 168, Picture::Cancel);
  SetTexts(&TextPair::english);
  setTabOrder(PngBitBtn2, PngBitBtn1);
  connect(PngBitBtn1, &QAbstractButton::clicked, this, &QDialog::accept);
  connect(PngBitBtn2, &QAbstractButton::clicked, this, &QDialog::close);
}

void TForm6::SetTexts(Language language)
{
  PngBitBtn1->setText(Text(texts::Yes, language));
  PngBitBtn2->setText(Text(texts::No, language));
}

// Every opening starts on No, also after Yes had the focus last time.
void TForm6::showEvent(QShowEvent *event)
{
  PngBitBtn2->setFocus();
  BorderlessDialog::showEvent(event);
}

} // namespace tv::ui
