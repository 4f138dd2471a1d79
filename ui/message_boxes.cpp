#include "ui/message_boxes.h"

#include <QLabel>

#include "ui/borderless_frame.h"
#include "ui/glyphs.h"
#include "ui/png_bit_btn.h"

namespace tv::ui {

namespace {

bool InDialogStrip(QPoint point) { return BorderlessFrame::InTopRows(point, 17); }

} // namespace

TForm5::TForm5(QWidget *parent)
    : QDialog(parent), Label1(new QLabel(this)), PngBitBtn1(new TPngBitBtn(this)),
      frame_(new BorderlessFrame(this, CornerNames::TopLeftTopRightBottomLeftBottomRight, InDialogStrip))
{
  setWindowTitle(QStringLiteral("Message"));
  setFixedSize(338, 120);
  Label1->setGeometry(16, 19, 305, 54);
  Label1->setWordWrap(true);
  PngBitBtn1->setGeometry(128, 80, 81, 25);
  PngBitBtn1->setText(QStringLiteral("OK"));
  PngBitBtn1->setPngImage(Glyph("ok"));
  connect(PngBitBtn1, &QAbstractButton::clicked, this, &QDialog::close);
}

TForm6::TForm6(QWidget *parent)
    : QDialog(parent), Label1(new QLabel(this)), PngBitBtn1(new TPngBitBtn(this)), PngBitBtn2(new TPngBitBtn(this)),
      frame_(new BorderlessFrame(this, CornerNames::TopLeftTopRightBottomLeftBottomRight, InDialogStrip))
{
  setWindowTitle(QStringLiteral("Delete file"));
  setFixedSize(338, 120);
  Label1->setGeometry(16, 19, 305, 54);
  Label1->setWordWrap(true);
  PngBitBtn1->setGeometry(80, 80, 81, 25);
  PngBitBtn1->setText(QStringLiteral("Yes"));
  PngBitBtn1->setPngImage(Glyph("ok"));
  PngBitBtn2->setGeometry(168, 80, 81, 25);
  PngBitBtn2->setText(QStringLiteral("No"));
  PngBitBtn2->setPngImage(Glyph("cancel"));
  setTabOrder(PngBitBtn2, PngBitBtn1);
  connect(PngBitBtn1, &QAbstractButton::clicked, this, [this] {
    DeleteConfirmed = true;
    close();
  });
  connect(PngBitBtn2, &QAbstractButton::clicked, this, &QDialog::close);
}

} // namespace tv::ui
