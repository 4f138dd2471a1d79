#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QWindow>
#include <QtTest>
#include <memory>

#include "fileops/name_dialogs.h"
#include "tests/support/modal_script.h"
#include "ui/png_bit_btn.h"

using namespace tv;
using test::ModalScript;

class TestNameDialogs : public QObject {
  Q_OBJECT
private slots:
  void init()
  {
    form2_ = std::make_unique<fileops::TForm2>();
    form3_ = std::make_unique<fileops::TForm3>();
  }
  void cleanup()
  {
    form2_.reset();
    form3_.reset();
  }
  void enterConfirmsWhateverModifiersAreHeld_data();
  void enterConfirmsWhateverModifiersAreHeld();
  void closingOtherwiseLeavesItUnconfirmed_data();
  void closingOtherwiseLeavesItUnconfirmed();
  void escapeNeitherCancelsNorClears_data();
  void escapeNeitherCancelsNorClears();
  void anEmptyNameIsReturnedAsConfirmed_data();
  void anEmptyNameIsReturnedAsConfirmed();
  void everyShowingProposesTheCallersNameAllSelected_data();
  void everyShowingProposesTheCallersNameAllSelected();
  void tabVisitsNameButtonsThenTheChosenFormat_data();
  void tabVisitsNameButtonsThenTheChosenFormat();
  void formatChoiceIsExclusive();

private:
  fileops::NameDialog &Dialog(int number)
  {
    return number == 2 ? static_cast<fileops::NameDialog &>(*form2_) : *form3_;
  }
  bool Confirmed(int number) const
  {
    return number == 2 ? form2_->NewDocumentConfirmed() : form3_->NewFolderConfirmed();
  }
  static void AddDialogColumn() { QTest::addColumn<int>("dialog"); }
  // Proposes the name as a caller does, then shows the dialog modally and answers it.
  void Show(int number, QList<ModalScript::Step> steps, const QString &name = "Proposed");

  // Fresh dialogs for every test function.
  std::unique_ptr<fileops::TForm2> form2_;
  std::unique_ptr<fileops::TForm3> form3_;
};

void TestNameDialogs::Show(int number, QList<ModalScript::Step> steps, const QString &name)
{
  Dialog(number).ProposeName(name);
  ModalScript script(std::move(steps));
  Dialog(number).exec();
  QCOMPARE(script.stepsLeft(), 0);
  QCOMPARE(script.unexpectedWindows(), 0);
  QVERIFY(!Dialog(number).isVisible());
}

void TestNameDialogs::enterConfirmsWhateverModifiersAreHeld_data()
{
  AddDialogColumn();
  QTest::addColumn<int>("key");
  QTest::addColumn<int>("modifiers");
  for (const int number : {2, 3}) {
    const char *dialog = number == 2 ? "document" : "folder";
    QTest::addRow("%s: Enter", dialog) << number << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::addRow("%s: Shift+Enter", dialog) << number << int(Qt::Key_Return) << int(Qt::ShiftModifier);
    QTest::addRow("%s: Ctrl+Enter", dialog) << number << int(Qt::Key_Return) << int(Qt::ControlModifier);
    QTest::addRow("%s: Alt+Enter", dialog) << number << int(Qt::Key_Return) << int(Qt::AltModifier);
    QTest::addRow("%s: keypad Enter", dialog) << number << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    QTest::addRow("%s: Shift+keypad Enter", dialog)
        << number << int(Qt::Key_Enter) << int(Qt::KeypadModifier | Qt::ShiftModifier);
  }
}

void TestNameDialogs::enterConfirmsWhateverModifiersAreHeld()
{
  QFETCH(int, dialog);
  QFETCH(int, key);
  QFETCH(int, modifiers);
  QLineEdit *edit = Dialog(dialog).Edit1;
  Show(dialog, {[&](QWidget *) {
         QTest::keyClicks(edit, "Budget 2024");
         QTest::keyClick(edit, Qt::Key(key), Qt::KeyboardModifiers::fromInt(modifiers));
       }});
  QVERIFY(Confirmed(dialog));
  QCOMPARE(edit->text(), "Budget 2024");
}

void TestNameDialogs::closingOtherwiseLeavesItUnconfirmed_data()
{
  AddDialogColumn();
  QTest::addColumn<QString>("how");
  QTest::addColumn<bool>("confirmedBefore");
  for (const int number : {2, 3})
    for (const char *how : {"Cancel clicked", "Cancel pressed by keyboard", "window system"})
      for (const bool confirmedBefore : {false, true})
        QTest::addRow("%s: %s, confirmed before %d", number == 2 ? "document" : "folder", how, confirmedBefore)
            << number << how << confirmedBefore;
}

void TestNameDialogs::closingOtherwiseLeavesItUnconfirmed()
{
  QFETCH(int, dialog);
  QFETCH(QString, how);
  QFETCH(bool, confirmedBefore);
  fileops::NameDialog &form = Dialog(dialog);
  if (confirmedBefore)
    Show(dialog, {[&](QWidget *) { QTest::keyClick(form.Edit1, Qt::Key_Return); }});
  Show(dialog, {[&](QWidget *) {
         QTest::keyClicks(form.Edit1, "Typed");
         if (how == "Cancel clicked")
           QTest::mouseClick(form.PngBitBtn2, Qt::LeftButton);
         else if (how == "Cancel pressed by keyboard")
           QTest::keyClick(form.PngBitBtn2, Qt::Key_Space);
         else
           form.windowHandle()->close();
       }});
  QVERIFY(!Confirmed(dialog));
}

void TestNameDialogs::escapeNeitherCancelsNorClears_data()
{
  AddDialogColumn();
  QTest::newRow("document") << 2;
  QTest::newRow("folder") << 3;
}

void TestNameDialogs::escapeNeitherCancelsNorClears()
{
  QFETCH(int, dialog);
  fileops::NameDialog &form = Dialog(dialog);
  bool stillOpen = false;
  Show(dialog, {[&](QWidget *) {
                  QTest::keyClicks(form.Edit1, "Kept");
                  QTest::keyClick(form.Edit1, Qt::Key_Escape);
                  QTest::keyClick(&form, Qt::Key_Escape);
                  stillOpen = form.isVisible();
                },
                [&](QWidget *) { QTest::mouseClick(form.PngBitBtn1, Qt::LeftButton); }});
  QVERIFY(stillOpen);
  QCOMPARE(form.Edit1->text(), "Kept");
  QVERIFY(Confirmed(dialog));
}

void TestNameDialogs::anEmptyNameIsReturnedAsConfirmed_data() { escapeNeitherCancelsNorClears_data(); }

void TestNameDialogs::anEmptyNameIsReturnedAsConfirmed()
{
  QFETCH(int, dialog);
  QLineEdit *edit = Dialog(dialog).Edit1;
  Show(dialog, {[&](QWidget *) {
         QTest::keyClick(edit, Qt::Key_Delete);
         QTest::keyClick(edit, Qt::Key_Return);
       }});
  QVERIFY(Confirmed(dialog));
  QCOMPARE(edit->text(), QString());
}

void TestNameDialogs::everyShowingProposesTheCallersNameAllSelected_data() { escapeNeitherCancelsNorClears_data(); }

void TestNameDialogs::everyShowingProposesTheCallersNameAllSelected()
{
  QFETCH(int, dialog);
  QLineEdit *edit = Dialog(dialog).Edit1;
  const auto typeOverAndCancel = [&](QWidget *window) {
    QVERIFY(QTest::qWaitForWindowActive(window));
    QCOMPARE(edit->text(), "New folder");
    QCOMPARE(edit->selectedText(), "New folder");
    QCOMPARE(QApplication::focusWidget(), edit);
    QTest::keyClicks(edit, "X");
    QCOMPARE(edit->text(), "X");
    QTest::mouseClick(Dialog(dialog).PngBitBtn2, Qt::LeftButton);
  };
  Show(dialog, {typeOverAndCancel}, "New folder");
  Show(dialog, {typeOverAndCancel}, "New folder");
}

void TestNameDialogs::tabVisitsNameButtonsThenTheChosenFormat_data()
{
  QTest::addColumn<bool>("newer");
  QTest::newRow("97-2003 chosen") << false;
  QTest::newRow("2007 chosen") << true;
}

void TestNameDialogs::tabVisitsNameButtonsThenTheChosenFormat()
{
  QFETCH(bool, newer);
  QRadioButton *chosen = newer ? form2_->RadioButton2 : form2_->RadioButton1;
  chosen->setChecked(true);
  QList<QWidget *> visited;
  Show(2, {[&](QWidget *window) {
         QVERIFY(QTest::qWaitForWindowActive(window));
         visited.append(QApplication::focusWidget());
         for (int i = 0; i < 4; ++i) {
           QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
           visited.append(QApplication::focusWidget());
         }
         form2_->close();
       }});
  // The pair of radio buttons is one stop: the chosen one.
  const QList<QWidget *> expected{form2_->Edit1, form2_->PngBitBtn1, form2_->PngBitBtn2, chosen, form2_->Edit1};
  QCOMPARE(visited, expected);
}

void TestNameDialogs::formatChoiceIsExclusive()
{
  form2_->show();
  QVERIFY(QTest::qWaitForWindowExposed(form2_.get()));
  for (QRadioButton *chosen : {form2_->RadioButton2, form2_->RadioButton2, form2_->RadioButton1}) {
    QTest::mouseClick(chosen, Qt::LeftButton);
    QVERIFY(chosen->isChecked());
    QCOMPARE(form2_->RadioButton1->isChecked(), chosen == form2_->RadioButton1);
    QCOMPARE(form2_->RadioButton2->isChecked(), chosen == form2_->RadioButton2);
  }
  form2_->close();
}

QTEST_MAIN(TestNameDialogs)
#include "test_name_dialogs.moc"
