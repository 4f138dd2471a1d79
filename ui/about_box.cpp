#include "ui/about_box.h"

#include <QLabel>

#include "ui/png_speed_button.h"

namespace tv::ui {

TFormAbout::TFormAbout(QWidget *parent)
    : QDialog(parent), Label1(new QLabel(QStringLiteral("Tarnview"), this)),
      Label2(new QLabel(QStringLiteral("© 2008 Corvane"), this)),
      Label3(new QLabel(QStringLiteral("Version 1.2"), this)), Label4(new QLabel(this)),
      PngSpeedButton1(new TPngSpeedButton(this)), PngSpeedButton2(new TPngSpeedButton(this)),
      PngSpeedButton3(new TPngSpeedButton(this))
{
  setWindowTitle(QStringLiteral("About"));
  setFixedSize(216, 120);
}

} // namespace tv::ui
