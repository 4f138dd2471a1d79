// The dialogs in which the name of a new folder or a new document is typed.
#pragma once

#include <QString>

#include "texts/texts.h"
#include "ui/borderless_frame.h"

class QKeyEvent;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace tv::ui {
class TPngBitBtn;
} // namespace tv::ui

namespace tv::fileops {

// What both name-entry dialogs share: a name field that shows the caller's proposal on every
// showing, OK (also Enter in the field, whatever modifiers are held) which confirms, and
// Cancel. They check nothing: the name goes back as typed.
class NameDialog : public ui::BorderlessDialog {
  Q_OBJECT
public:
  QLineEdit *Edit1;           // the name
  ui::TPngBitBtn *PngBitBtn1; // OK
  ui::TPngBitBtn *PngBitBtn2; // Cancel

  // The name the field shows at the next showing.
  void ProposeName(const QString &name) { name_ = name; }

  void FormShow();
  // True when the key was taken as OK.
  bool Edit1KeyDown(QKeyEvent *event);
  void PngBitBtn1Click(); // OK
  void PngBitBtn2Click(); // cancel

protected:
  // The name field and the buttons sit at the same left edge; the buttons at buttonsTop.
  NameDialog(QWidget *parent, QSize clientSize, int left, int buttonsTop);
  // A label at the designed place; its text comes with the dialog's texts.
  QLabel *AddLabel(QRect geometry);
  // The texts both dialogs share.
  void SetButtonTexts(Language language);
  // The name as typed, and whether the last showing ended with OK (exec()'s answer).
  QString TypedName() const;
  bool Confirmed() const { return result() == QDialog::Accepted; }

  void showEvent(QShowEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  QString name_;
  QList<QLabel *> labels_;
};

// Asks for the name and format of a new document.
class TForm2 : public NameDialog {
  Q_OBJECT
public:
  explicit TForm2(QWidget *parent = nullptr);

  QString NewDocumentName() const { return TypedName(); }
  bool NewDocumentConfirmed() const { return Confirmed(); }
  // True when the newer format ("2007") is chosen.
  bool NewerFormatChosen() const;
  // Chooses the newer format, or the older one.
  void ChooseFormat(bool newer);

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

  QString NewFolderName() const { return TypedName(); }
  bool NewFolderConfirmed() const { return Confirmed(); }

  QLabel *Label1; // "Name:"

  // Assigns every text of the dialog in the language.
  void SetTexts(Language language);
};

} // namespace tv::fileops
