#include "tests/support/window_fixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QtTest>

#include "app/main_window.h"
#include "fileops/name_dialogs.h"
#include "ui/png_bit_btn.h"

namespace tv::test {

namespace {

const QString kMark = QStringLiteral("(not listed since)");

} // namespace

void MarkListing(TForm1 &form) { form.Label1->setText(kMark); }

bool ListedSinceMark(const TForm1 &form) { return form.Label1->text() != kMark; }

QByteArray WithTrailingSlash(const QByteArray &path) { return path.endsWith('/') ? path : path + '/'; }

void TypeName(fileops::NameDialog &dialog, const QString &name)
{
  if (name.isEmpty() && !name.isNull())
    QTest::keyClick(dialog.Edit1, Qt::Key_Delete);
  else if (!name.isNull())
    QTest::keyClicks(dialog.Edit1, name);
}

void Finish(fileops::NameDialog &dialog, bool confirm)
{
  if (confirm)
    QTest::keyClick(dialog.Edit1, Qt::Key_Return);
  else
    QTest::mouseClick(dialog.PngBitBtn2, Qt::LeftButton);
}

ModalScript::Step AnswerName(fileops::NameDialog &dialog, const QString &name, bool confirm)
{
  return [&dialog, name, confirm](QWidget *window) {
    QCOMPARE(window, &dialog);
    TypeName(dialog, name);
    Finish(dialog, confirm);
  };
}

} // namespace tv::test
