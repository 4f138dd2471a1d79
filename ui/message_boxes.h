// The program's message box and its delete confirmation box.
#pragma once

#include "ui/borderless_frame.h"

#include "texts/texts.h"

class QLabel;

namespace tv::ui {

class TPngBitBtn;

// The program's message box: a text and an OK button. Escape does nothing; the text is
// shown as it stands, cut where it does not fit.
class TForm5 : public BorderlessDialog {
  Q_OBJECT
public:
  explicit TForm5(QWidget *parent = nullptr);

  QLabel *Label1;         // the message
  TPngBitBtn *PngBitBtn1; // OK

  // Puts the message in the box.
  void SetMessage(const QString &text);

protected:
  void showEvent(QShowEvent *event) override;
};

// The delete confirmation box: a question and Yes and No buttons. It opens with the focus
// on No, so Enter at once answers No.
class TForm6 : public BorderlessDialog {
  Q_OBJECT
public:
  explicit TForm6(QWidget *parent = nullptr);

  QLabel *Label1;         // the question
  TPngBitBtn *PngBitBtn1; // Yes
  TPngBitBtn *PngBitBtn2; // No

  // Assigns the window's texts in the language: only the buttons' captions differ.
  void SetTexts(Language language);

  // Whether the last showing ended with Yes (exec()'s answer).
  bool DeleteConfirmed() const { return result() == QDialog::Accepted; }

protected:
  void showEvent(QShowEvent *event) override;
};

} // namespace tv::ui
