// The About box: the program's name, version and maker, and a button to the maker's web site.
#pragma once

#include <QDialog>

#include "texts/texts.h"

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

  QLabel *Label1;                   // the program's name
  QLabel *Label2;                   // copyright
  QLabel *Label3;                   // version
  QLabel *Label4;                   // idea credit
  TPngSpeedButton *PngSpeedButton1; // the logo, a picture
  TPngSpeedButton *PngSpeedButton2; // the credit's picture
  TPngSpeedButton *PngSpeedButton3; // Visit website

  // Assigns the texts that differ by language. The version label keeps its number: only its
  // first "Version" is translated, so a second showing finds nothing left to replace.
  void SetTexts(Language language);

  void PngSpeedButton3Click(); // visit website
};

} // namespace tv::ui
