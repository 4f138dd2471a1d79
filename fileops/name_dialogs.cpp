#include "fileops/name_dialogs.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "ui/borderless_frame.h"
#include "ui/png_bit_btn.h"

namespace tv {

namespace {

bool InDialogStrip(QPoint point) { return ui::BorderlessFrame::InTopRows(point, 17); }

} // namespace

TForm2::TForm2(QWidget *parent)
    : QDialog(parent), Label1(new QLabel(this)), Label2(new QLabel(this)), Edit1(new QLineEdit(this)),
      PngBitBtn1(new ui::TPngBitBtn(this)), PngBitBtn2(new ui::TPngBitBtn(this)), RadioButton1(new QRadioButton(this)),
      RadioButton2(new QRadioButton(this)),
      frame_(new ui::BorderlessFrame(this, ui::CornerNames::TopLeftTopRightBottomRightBottomLeft, InDialogStrip))
{
  setWindowTitle(QStringLiteral("New document"));
  setFixedSize(272, 102);
}

TForm3::TForm3(QWidget *parent)
    : QDialog(parent), Label1(new QLabel(this)), Edit1(new QLineEdit(this)), PngBitBtn1(new ui::TPngBitBtn(this)),
      PngBitBtn2(new ui::TPngBitBtn(this)),
      frame_(new ui::BorderlessFrame(this, ui::CornerNames::TopLeftTopRightBottomRightBottomLeft, InDialogStrip))
{
  setWindowTitle(QStringLiteral("New folder"));
  setFixedSize(256, 88);
}

} // namespace tv
