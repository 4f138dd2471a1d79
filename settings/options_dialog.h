#pragma once

#include <QDialog>
#include <array>

#include "settings/texts.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;
class QGroupBox;

namespace tv {

struct Settings;

namespace ui {
class BorderlessFrame;
class TPngBitBtn;
class TPngSpeedButton;
} // namespace ui

// The Options dialog: language, home location, hidden files, and the defaults of
// Settings.ini. No button is a default or cancel button: only OK commits, and neither
// Enter elsewhere nor Escape closes the dialog.
class TForm4 : public QDialog {
  Q_OBJECT
public:
  // The settings are the program's: their application folder holds Settings.ini.
  explicit TForm4(const Settings &settings, QWidget *parent = nullptr);

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

  // Puts the settings into the controls, in the language in force.
  void ShowSettings();
  // The answers: set by OK, cleared by FormShow; and the choices shown when OK was pressed.
  bool OptionsAccepted() const { return optionsAccepted_; }
  bool ChosenShowHidden() const;
  bool ChosenStartupIsEnglish() const;

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
  ui::BorderlessFrame *frame_;
  const Settings &settings_;
  bool optionsAccepted_ = false;
};

} // namespace tv
