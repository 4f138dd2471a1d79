#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;
class QGroupBox;

namespace tv {

namespace ui {
class BorderlessFrame;
class TPngBitBtn;
class TPngSpeedButton;
} // namespace ui

// Set by OK; FormShow clears it.
inline bool OptionsAccepted = false;

// The Options dialog: language, home location, hidden files, and the defaults of
// Settings.ini.
class TForm4 : public QDialog {
  Q_OBJECT
public:
  explicit TForm4(QWidget *parent = nullptr);

  QLabel *Label1;
  QLabel *Label2;
  QComboBox *ComboBox1;
  QGroupBox *RadioGroup1;
  QCheckBox *CheckBox1;
  ui::TPngSpeedButton *PngSpeedButton1;
  ui::TPngSpeedButton *PngSpeedButton2;
  ui::TPngBitBtn *PngBitBtn1;
  ui::TPngBitBtn *PngBitBtn2;

private:
  ui::BorderlessFrame *frame_;
};

} // namespace tv
