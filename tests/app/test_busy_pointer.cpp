// The pointer while the main window works: busy during the work, the normal one as soon as it
// is over, and never busy over a box that waits for the user.
#include <QAbstractItemModel>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>
#include <QtTest>

#include "app/program.h"
#include "fileops/name_dialogs.h"
#include "tests/support/program_fixture.h"
#include "tests/support/test_environment.h"
#include "tests/support/window_fixture.h"
#include "ui/png_speed_button.h"

using namespace tv;
using test::ModalScript;

namespace {

enum class Work { Folder, MissingFolder, DriveList, DroppedFile, NewDocument };

// The shape of the pointer that the program forces on its windows, or -1 when it forces none.
int ForcedPointer() { return QGuiApplication::overrideCursor() ? int(QGuiApplication::overrideCursor()->shape()) : -1; }

// Confirms the new-document dialog with a name typed over the proposal, in the older format.
ModalScript::Step AnswerDocument(fileops::TForm2 &dialog, const QString &name)
{
  return [=, &dialog](QWidget *window) {
    QCOMPARE(window, &dialog);
    test::TypeName(dialog, name);
    QTest::mouseClick(dialog.RadioButton1, Qt::LeftButton);
    test::Finish(dialog, true);
  };
}

} // namespace

class TestBusyPointer : public test::ProgramTest {
  Q_OBJECT
private slots:
  void theListingIsBusyAndTheEndIsNot_data();
  void theListingIsBusyAndTheEndIsNot();
  void aBoxAfterFailedWorkShowsTheNormalPointer();

private:
  QByteArray NewFolder() { return environment_.makeFolder("case" + QByteArray::number(++cases_)); }

  test::TestEnvironment environment_;
  int cases_ = 0;
};

void TestBusyPointer::theListingIsBusyAndTheEndIsNot_data()
{
  QTest::addColumn<Work>("work");
  QTest::newRow("folder") << Work::Folder;
  QTest::newRow("missing folder") << Work::MissingFolder;
  QTest::newRow("drive list") << Work::DriveList;
  QTest::newRow("dropped file") << Work::DroppedFile;
  QTest::newRow("new document") << Work::NewDocument;
}

void TestBusyPointer::theListingIsBusyAndTheEndIsNot()
{
  QFETCH(Work, work);
  const QByteArray folder = NewFolder();
  test::WriteFile(folder + "a.txt", "a");
  const QByteArray elsewhere = NewFolder();
  test::WriteFile(elsewhere + "dropped.txt", "dropped");
  program->Form1->OpenFolder(folder);
  QVERIFY(Settled());
  QList<int> whileListing;
  const QMetaObject::Connection listing =
      connect(program->Form1->ListView1->model(), &QAbstractItemModel::modelAboutToBeReset, this,
              [&] { whileListing << ForcedPointer(); });

  switch (work) {
  case Work::Folder:
    program->Form1->OpenFolder(folder);
    QVERIFY(Settled());
    break;
  case Work::MissingFolder:
    program->Form1->OpenFolder(folder + "gone/");
    QVERIFY(Settled());
    break;
  case Work::DriveList:
    program->Form1->OpenFolder({});
    QVERIFY(Settled());
    break;
  case Work::DroppedFile:
    program->Form1->AcceptFiles({elsewhere + "dropped.txt"});
    break;
  case Work::NewDocument: {
    ModalScript script({AnswerDocument(*program->Form2, QStringLiteral("report"))});
    program->Form1->PngSpeedButton7->click();
    QCOMPARE(script.stepsLeft(), 0);
    break;
  }
  }
  disconnect(listing);

  QCOMPARE(whileListing, QList<int>{Qt::WaitCursor});
  QCOMPARE(ForcedPointer(), -1);
}

void TestBusyPointer::aBoxAfterFailedWorkShowsTheNormalPointer()
{
  const QByteArray folder = NewFolder();
  test::WriteFile(folder + "report.doc", "the user's own work");
  program->Form1->OpenFolder(folder);
  QVERIFY(Settled());
  int underTheBox = 0;

  {
    ModalScript script({AnswerDocument(*program->Form2, QStringLiteral("report.doc")), [&](QWidget *window) {
                          auto *message = qobject_cast<QMessageBox *>(window);
                          QVERIFY(message);
                          underTheBox = ForcedPointer();
                          message->button(QMessageBox::Ok)->click();
                        }});
    program->Form1->PngSpeedButton7->click();
    QCOMPARE(script.stepsLeft(), 0);
  }

  QCOMPARE(underTheBox, -1);
  QCOMPARE(ForcedPointer(), -1);
}

QTEST_MAIN(TestBusyPointer)
#include "test_busy_pointer.moc"
