// The pointer while the main window works: busy during the work, the normal one as soon as it
// is over, and never busy over a box that waits for the user.
#include <QAbstractItemModel>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>
#include <QtTest>

#include "app/windows.h"
#include "fileops/name_dialogs.h"
#include "tests/fileops/window_fixture.h"
#include "tests/support/test_environment.h"
#include "ui/png_speed_button.h"

using namespace tv;
using test::ModalScript;

namespace {

enum class Work { Folder, MissingFolder, DriveList, DroppedFile, NewDocument };

// The shape of the pointer that the program forces on its windows, or -1 when it forces none.
int ForcedPointer() { return QGuiApplication::overrideCursor() ? int(QGuiApplication::overrideCursor()->shape()) : -1; }

// Confirms the new-document dialog with a name typed over the proposal, in the older format.
ModalScript::Step AnswerDocument(const QString &name)
{
  return [=](QWidget *window) {
    QCOMPARE(window, Form2.get());
    test::TypeName(*Form2, name);
    QTest::mouseClick(Form2->RadioButton1, Qt::LeftButton);
    test::Finish(*Form2, true);
  };
}

} // namespace

class TestBusyPointer : public QObject {
  Q_OBJECT
private slots:
  void initTestCase() { test::CreateWindowsForTests(); }
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
  test::ShowFolder(folder);
  QList<int> whileListing;
  const QMetaObject::Connection listing = connect(Form1->ListView1->model(), &QAbstractItemModel::modelAboutToBeReset,
                                                  this, [&] { whileListing << ForcedPointer(); });

  switch (work) {
  case Work::Folder:
    Form1->OpenFolder(folder);
    break;
  case Work::MissingFolder:
    Form1->OpenFolder(folder + "gone/");
    break;
  case Work::DriveList:
    Form1->OpenFolder({});
    break;
  case Work::DroppedFile:
    Form1->AcceptFiles({elsewhere + "dropped.txt"});
    break;
  case Work::NewDocument: {
    ModalScript script({AnswerDocument(QStringLiteral("report"))});
    Form1->PngSpeedButton7->click();
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
  test::ShowFolder(folder);
  int underTheBox = 0;

  {
    ModalScript script({AnswerDocument(QStringLiteral("report.doc")), [&](QWidget *window) {
                          auto *message = qobject_cast<QMessageBox *>(window);
                          QVERIFY(message);
                          underTheBox = ForcedPointer();
                          message->button(QMessageBox::Ok)->click();
                        }});
    Form1->PngSpeedButton7->click();
    QCOMPARE(script.stepsLeft(), 0);
  }

  QCOMPARE(underTheBox, -1);
  QCOMPARE(ForcedPointer(), -1);
}

QTEST_MAIN(TestBusyPointer)
#include "test_busy_pointer.moc"
