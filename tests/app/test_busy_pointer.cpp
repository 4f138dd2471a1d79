// The pointer while the main window works: busy during the work, the normal one as soon as it
// is over, and never busy over a box that waits for the user.
#include <QAbstractItemModel>
#include <QComboBox>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>
#include <QtTest>

#include "app/program.h"
#include "fileops/name_dialogs.h"
#include "settings/options_dialog.h"
#include "tests/support/program_fixture.h"
#include "tests/support/test_environment.h"
#include "tests/support/window_fixture.h"
#include "ui/message_boxes.h"
#include "ui/png_bit_btn.h"
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

// The pointer forced at the moment each modal window of the program shows.
class PointerAtBoxes : public QObject {
public:
  PointerAtBoxes() { QCoreApplication::instance()->installEventFilter(this); }
  QList<int> shown;

protected:
  bool eventFilter(QObject *watched, QEvent *event) override
  {
    if (event->type() == QEvent::Show && watched->isWidgetType() && static_cast<QWidget *>(watched)->isModal())
      shown << ForcedPointer();
    return false;
  }
};

} // namespace

class TestBusyPointer : public test::ProgramTest {
  Q_OBJECT
private slots:
  void theListingIsBusyAndTheEndIsNot_data();
  void theListingIsBusyAndTheEndIsNot();
  void aBoxAfterFailedWorkShowsTheNormalPointer();
  void aBoxAfterRelistingShowsTheNormalPointer();

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
  PointerAtBoxes boxes;
  ModalScript script(work == Work::NewDocument
                         ? QList<ModalScript::Step>{AnswerDocument(*program->Form2, QStringLiteral("report"))}
                         : QList<ModalScript::Step>{});

  switch (work) {
  case Work::Folder:
    program->Form1->OpenFolder(folder);
    break;
  case Work::MissingFolder:
    program->Form1->OpenFolder(folder + "gone/");
    break;
  case Work::DriveList:
    program->Form1->OpenFolder({});
    break;
  case Work::DroppedFile:
    program->Form1->AcceptFiles({elsewhere + "dropped.txt"});
    break;
  case Work::NewDocument:
    program->Form1->PngSpeedButton7->click();
    break;
  }
  const int whileOut = ForcedPointer();
  QVERIFY(Settled());
  disconnect(listing);

  QCOMPARE(whileOut, int(Qt::WaitCursor));
  QCOMPARE(whileListing, QList<int>{Qt::WaitCursor});
  QCOMPARE(boxes.shown, work == Work::NewDocument ? QList<int>{-1} : QList<int>{});
  QCOMPARE(ForcedPointer(), -1);
  QCOMPARE(script.stepsLeft(), 0);
  QCOMPARE(script.unexpectedWindows(), 0);
}

void TestBusyPointer::aBoxAfterFailedWorkShowsTheNormalPointer()
{
  const QByteArray folder = NewFolder();
  test::WriteFile(folder + "report.doc", "the user's own work");
  program->Form1->OpenFolder(folder);
  QVERIFY(Settled());
  PointerAtBoxes boxes;

  {
    ModalScript script({AnswerDocument(*program->Form2, QStringLiteral("report.doc")), [&](QWidget *window) {
                          auto *message = qobject_cast<QMessageBox *>(window);
                          QVERIFY(message);
                          message->button(QMessageBox::Ok)->click();
                        }});
    program->Form1->PngSpeedButton7->click();
    QVERIFY(Settled());
    QCOMPARE(script.stepsLeft(), 0);
  }

  QCOMPARE(boxes.shown, (QList<int>{-1, -1}));
  QCOMPARE(ForcedPointer(), -1);
}

// Options lists the folder again and then asks for a restart while that listing is still out.
void TestBusyPointer::aBoxAfterRelistingShowsTheNormalPointer()
{
  PointerAtBoxes boxes;
  {
    ModalScript script({[&](QWidget *window) {
                          QCOMPARE(window, &*program->Form4);
                          program->Form4->ComboBox1->setCurrentIndex(1);
                          program->Form4->PngBitBtn1->click();
                        },
                        [&](QWidget *window) {
                          QCOMPARE(window, &*program->Form5);
                          program->Form5->PngBitBtn1->click();
                        }});
    program->Form1->PngSpeedButton11->click();
    QVERIFY(Settled());
    QCOMPARE(script.stepsLeft(), 0);
  }

  QCOMPARE(boxes.shown, (QList<int>{-1, -1}));
  QCOMPARE(ForcedPointer(), -1);
}

QTEST_MAIN(TestBusyPointer)
#include "test_busy_pointer.moc"
