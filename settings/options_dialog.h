// The Options dialog (TForm4).
#pragma once

#include <array>

#include "texts/texts.h"
#include "ui/borderless_frame.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;
class QGroupBox;

namespace tv {

struct Settings;

namespace ui {
class TPngBitBtn;
class TPngSpeedButton;
} // namespace ui

// The Options dialog: language, home location, hidden files, and the defaults of
// Settings.ini. No button is a default or cancel button: only OK commits, and neither
// Enter elsewhere nor Escape closes the dialog.
class TForm4 : public ui::BorderlessDialog {
  Q_OBJECT
public:
  // The settings are the program's: their application folder holds Settings.ini.
  explicit TForm4(const Settings &settings, QWidget *parent = nullptr);

  QLabel *Label1;         // title: the caption
  QLabel *Label2;         // "Language:"
  QComboBox *ComboBox1;   // language for the next start
  QGroupBox *RadioGroup1; // "Home location"
  // The items of RadioGroup1: application folder, drive list, documents, desktop.
  std::array<QRadioButton *, 4> RadioGroup1Items;
  QCheckBox *CheckBox1;                 // "Display hidden files"
  ui::TPngSpeedButton *PngSpeedButton1; // Reset default settings
  ui::TPngSpeedButton *PngSpeedButton2; // Set current settings as default
  ui::TPngBitBtn *PngBitBtn1;           // OK
  ui::TPngBitBtn *PngBitBtn2;           // Cancel

  // The selected item of RadioGroup1, -1 when none is.
  int RadioGroup1ItemIndex() const;
  // Selects an item: 4 or more selects "Desktop", below 0 selects none.
  void SetRadioGroup1ItemIndex(int index);
  // The home location that OK stores: the selected item, or the application folder when
  // none is selected.
  int ChosenHomeIndex() const;

  // Assigns the texts that differ by language; the caption reaches Label1 on showing.
  void SetTexts(Language language);
  // Puts the settings into the controls, in the language in force.
  void ShowSettings();
  // The answers: whether the last showing ended with OK (exec()'s answer), and the choices
  // shown when OK was pressed.
  bool OptionsAccepted() const { return result() == QDialog::Accepted; }
  bool ChosenShowHidden() const;
  bool ChosenStartupIsEnglish() const;

  void FormShow();
  void PngBitBtn1Click();      // OK
  void PngBitBtn2Click();      // cancel
  void PngSpeedButton1Click(); // reset default settings
  void PngSpeedButton2Click(); // set current settings as default

signals:
  // A message for the program's message box.
  void MessageRequested(const QString &text);

protected:
  void showEvent(QShowEvent *event) override;

private:
  QButtonGroup *radioItems_;
  const Settings &settings_;
};

} // namespace tv
