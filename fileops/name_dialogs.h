#pragma once

#include <QString>

#include "texts/texts.h"
#include "ui/borderless_frame.h"

class QKeyEvent;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace tv {

namespace ui {
class TPngBitBtn;
} // namespace ui

// Answers of the name-entry dialogs: the caller sets the name and clears the flag before
// showing; OK sets the flag.
inline QString NewDocumentName;
inline bool NewDocumentConfirmed = false;
inline QString NewFolderName;
inline bool NewFolderConfirmed = false;

// What both name-entry dialogs share: a name field that shows the caller's name on every
// showing, OK (also Enter in the field, whatever modifiers are held) which sets the caller's
// flag, and Cancel. They check nothing: the name goes back as typed.
class NameDialog : public ui::BorderlessDialog {
  Q_OBJECT
public:
  QLineEdit *Edit1;           // the name
  ui::TPngBitBtn *PngBitBtn1; // OK
  ui::TPngBitBtn *PngBitBtn2; // Cancel

  void FormShow();
  // True when the key was taken as OK.
  bool Edit1KeyDown(QKeyEvent *event);
  void PngBitBtn1Click(); // OK
  void PngBitBtn2Click(); // cancel

protected:
  // The name field and the buttons sit at the same left edge; the buttons at buttonsTop.
  NameDialog(QWidget *parent, QString &name, bool &confirmed, QSize clientSize, int left, int buttonsTop);
  // A label at the designed place; its text comes with the dialog's texts.
  QLabel *AddLabel(QRect geometry);
  // The texts both dialogs share.
  void SetButtonTexts(Language language);

  void showEvent(QShowEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  QString &name_;
  bool &confirmed_;
  QList<QLabel *> labels_;
};

// Asks for the name and format of a new document.
class TForm2 : public NameDialog {
  Q_OBJECT
public:
  explicit TForm2(QWidget *parent = nullptr);

  QLabel *Label1;             // "Filename:"
  QLabel *Label2;             // "Type:"
  QRadioButton *RadioButton1; // "97-2003"
  QRadioButton *RadioButton2; // "2007"

  // Assigns every text of the dialog in the language.
  void SetTexts(Language language);
};

// Asks for the name of a new folder.
class TForm3 : public NameDialog {
  Q_OBJECT
public:
  explicit TForm3(QWidget *parent = nullptr);

  QLabel *Label1; // "Name:"

  // Assigns every text of the dialog in the language.
  void SetTexts(Language language);
};

} // namespace tv
