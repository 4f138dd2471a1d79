#include "settings/options_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>

#include "ui/borderless_frame.h"
#include "ui/png_bit_btn.h"
#include "ui/png_speed_button.h"

namespace tv {

TForm4::TForm4(QWidget *parent)
    : QDialog(parent), Label1(new QLabel(QStringLiteral("..."), this)), Label2(new QLabel(this)),
      ComboBox1(new QComboBox(this)), RadioGroup1(new QGroupBox(this)), CheckBox1(new QCheckBox(this)),
      PngSpeedButton1(new ui::TPngSpeedButton(this)), PngSpeedButton2(new ui::TPngSpeedButton(this)),
      PngBitBtn1(new ui::TPngBitBtn(this)), PngBitBtn2(new ui::TPngBitBtn(this)),
      frame_(new ui::BorderlessFrame(this, ui::CornerNames::TopLeftTopRightBottomLeftBottomRight,
                                     [this](QPoint point) { return point.y() <= Label1->geometry().bottom(); }))
{
  setWindowTitle(QStringLiteral("Options"));
  setFixedSize(256, 340);
}

} // namespace tv
