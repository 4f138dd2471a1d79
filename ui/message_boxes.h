#pragma once

#include <QDialog>

class QLabel;

namespace tv::ui {

class BorderlessFrame;
class TPngBitBtn;

// The program's message box: a text and an OK button. Escape does nothing; the text is
// shown as it stands, cut where it does not fit.
class TForm5 : public QDialog {
  Q_OBJECT
public:
  explicit TForm5(QWidget *parent = nullptr);

  QLabel *Label1;
  TPngBitBtn *PngBitBtn1;

protected:
  void showEvent(QShowEvent *event) override;

private:
  BorderlessFrame *frame_;
};

// The delete confirmation box: a question and Yes and No buttons. It opens with the focus
// on No, so Enter at once answers No.
class TForm6 : public QDialog {
  Q_OBJECT
public:
  explicit TForm6(QWidget *parent = nullptr);

  QLabel *Label1;
  TPngBitBtn *PngBitBtn1;
  TPngBitBtn *PngBitBtn2;

  // Set by Yes; cleared by every showing.
  bool DeleteConfirmed() const { return deleteConfirmed_; }

protected:
  void showEvent(QShowEvent *event) override;

private:
  BorderlessFrame *frame_;
  bool deleteConfirmed_ = false;
};

} // namespace tv::ui
