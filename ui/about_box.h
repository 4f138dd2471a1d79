#pragma once

#include <QDialog>

class QLabel;

namespace tv::ui {

class TPngSpeedButton;

// The maker's web site, opened by "Visit website".
inline constexpr const char *MakerWebSite = "https://www.example.com/tarnview";

// The About box: the program's name, version and maker, and a button that opens the
// maker's web site. The only window with an ordinary frame; it stays on top, and only its
// close button (or the window system's close keys) closes it.
class TFormAbout : public QDialog {
  Q_OBJECT
public:
  explicit TFormAbout(QWidget *parent = nullptr);

  QLabel *Label1;
  QLabel *Label2;
  QLabel *Label3;
  QLabel *Label4;
  TPngSpeedButton *PngSpeedButton1;
  TPngSpeedButton *PngSpeedButton2;
  TPngSpeedButton *PngSpeedButton3;

  void PngSpeedButton3Click();
};

} // namespace tv::ui
