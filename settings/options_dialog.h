#pragma once

#include <array>

#include "settings/texts.h"
#include "ui/borderless_frame.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;
class QGroupBox;

namespace tv {

namespace ui {
class TPngBitBtn;
class TPngSpeedButton;
} // namespace ui

// Set by OK; FormShow clears it.
inline bool OptionsAccepted = false;

// The Options dialog: language, home location, hidden files, and the defaults of
// Settings.ini. No button is a default or cancel button: only OK commits, and neither
// Enter elsewhere nor Escape closes the dialog.
class TForm4 : public ui::BorderlessDialog {
  Q_OBJECT
public:
  explicit TForm4(QWidget *parent = nullptr);

  QLabel *Label1;
  QLabel *Label2;
  QComboBox *ComboBox1;
  QGroupBox *RadioGroup1;
  // The items of RadioGroup1: application folder, drive list, documents, desktop.
  std::array<QRadioButton *, 4> RadioGroup1Items;
  QCheckBox *CheckBox1;
  ui::TPngSpeedButton *PngSpeedButton1;
  ui::TPngSpeedButton *PngSpeedButton2;
  ui::TPngBitBtn *PngBitBtn1;
  ui::TPngBitBtn *PngBitBtn2;

  // The selected item of RadioGroup1, -1 when none is.
  int RadioGroup1ItemIndex() const;
  // Selects an item: 4 or more selects "Desktop", below 0 selects none.
  void SetRadioGroup1ItemIndex(int index);
  // The home location that OK stores: the selected item, or the application folder when
  // none is selected.
  int ChosenHomeIndex() const;

  // Puts the second-language texts over the English design texts.
  void AssignSecondLanguageTexts();

  void FormShow();
  void PngBitBtn1Click();
  void PngBitBtn2Click();
  void PngSpeedButton1Click();
  void PngSpeedButton2Click();

signals:
  // A message for the program's message box.
  void MessageRequested(const QString &text);

protected:
  void showEvent(QShowEvent *event) override;

private:
  void SetTexts(const char *TextPair::*language);

  QButtonGroup *radioItems_;
};

} // namespace tv
