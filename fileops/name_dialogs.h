#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QRadioButton;

namespace tv {

namespace ui {
class BorderlessFrame;
class TPngBitBtn;
} // namespace ui

// Answers of the name-entry dialogs: the caller sets the name and clears the flag before
// showing; OK sets the flag.
inline QString NewDocumentName;
inline bool NewDocumentConfirmed = false;
inline QString NewFolderName;
inline bool NewFolderConfirmed = false;

// Asks for the name and format of a new document.
class TForm2 : public QDialog {
  Q_OBJECT
public:
  explicit TForm2(QWidget *parent = nullptr);

  QLabel *Label1;
  QLabel *Label2;
  QLineEdit *Edit1;
  ui::TPngBitBtn *PngBitBtn1;
  ui::TPngBitBtn *PngBitBtn2;
  QRadioButton *RadioButton1;
  QRadioButton *RadioButton2;

private:
  ui::BorderlessFrame *frame_;
};

// Asks for the name of a new folder.
class TForm3 : public QDialog {
  Q_OBJECT
public:
  explicit TForm3(QWidget *parent = nullptr);

  QLabel *Label1;
  QLineEdit *Edit1;
  ui::TPngBitBtn *PngBitBtn1;
  ui::TPngBitBtn *PngBitBtn2;

private:
  ui::BorderlessFrame *frame_;
};

} // namespace tv
