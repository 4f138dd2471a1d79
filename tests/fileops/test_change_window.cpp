#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QTreeView>
#include <QtTest>
#include <functional>
#include <memory>

#include "app/program.h"
#include "tests/support/file_test_support.h"
#include "tests/support/program_fixture.h"
#include "tests/support/window_fixture.h"
#include "ui/png_bit_btn.h"

using namespace tv;
using namespace tv::test;

namespace {

enum class Reply { Yes, No };

const QByteArray kNotUtf8 = "caf\xe9.txt";

// Answers the program's boxes while it lives, noting every text they showed: the message box
// with OK, the confirmation box with the next reply (No when none is left), after running
// the hook that stands for the user's hesitation.
class ModalBoxes {
public:
  explicit ModalBoxes(Program &program, QList<Reply> replies = {}, std::function<void()> whileAsked = {})
      : program_(program), replies_(std::move(replies)), whileAsked_(std::move(whileAsked)),
        script_({}, [this](QWidget *box) { answer(box); })
  {
  }
  QStringList shown;

private:
  void answer(QWidget *box)
  {
    if (box == program_.Form5) {
      shown << program_.Form5->Label1->text();
      program_.Form5->PngBitBtn1->click();
    } else if (box == program_.Form6) {
      shown << program_.Form6->Label1->text() + " [" + program_.Form6->PngBitBtn1->text() + '/' +
                   program_.Form6->PngBitBtn2->text() + ']';
      if (whileAsked_)
        whileAsked_();
      const Reply reply = replies_.isEmpty() ? Reply::No : replies_.takeFirst();
      (reply == Reply::Yes ? program_.Form6->PngBitBtn1 : program_.Form6->PngBitBtn2)->click();
    } else {
      shown << QStringLiteral("unexpected box");
      box->close();
    }
  }

  Program &program_;
  QList<Reply> replies_;
  std::function<void()> whileAsked_;
  ModalScript script_;
};

// Counts the reads of its contents: each read of a drag from another program is a transfer
// from that program.
class ReadCountingMimeData : public QMimeData {
public:
  mutable int reads = 0;

protected:
  QVariant retrieveData(const QString &mimeType, QMetaType type) const override
  {
    ++reads;
    return QMimeData::retrieveData(mimeType, type);
  }
};

QByteArray FileUrl(const QByteArray &path) { return "file://" + path.toPercentEncoding("/"); }

ReadCountingMimeData *UriList(const QList<QByteArray> &paths)
{
  auto *data = new ReadCountingMimeData;
  QByteArray list;
  for (const QByteArray &path : paths)
    list += FileUrl(path) + "\r\n";
  data->setData(QStringLiteral("text/uri-list"), list);
  return data;
}

} // namespace

Q_DECLARE_METATYPE(Reply)

class TestChangeWindow : public test::ProgramTest {
  Q_OBJECT
private slots:
  void initTestCase();
  void init();
  void cleanupTestCase();
  void dragsAreAcceptedOnlyAsCopies_data();
  void dragsAreAcceptedOnlyAsCopies();
  void droppedFilesAreCopiedIntoTheShownFolder();
  void dropsOnTheDriveListChangeNothing();
  void menuItemsNeedAFolderAndASelectedRow_data();
  void menuItemsNeedAFolderAndASelectedRow();
  void keysWithoutASelectedRowDoNothing();
  void renameStartsWithF2OrTheMenu();
  void renameShowsTheOutcomeInTheRow_data();
  void renameShowsTheOutcomeInTheRow();
  void aListingWhileARenameMessageIsOpenStays();
  void deleteAsksAndMovesToTheTrash_data();
  void deleteAsksAndMovesToTheTrash();
  void deleteKeyInTheDriveListDoesNothing();
  void boxesShowNamesAsTyped();

private:
  // Drags the data over the main window, offered for copy or move with move proposed, and
  // drops it; the action of the drop, or IgnoreAction when it was not accepted.
  Qt::DropAction DragAndDrop(QMimeData *data) const
  {
    const QPoint middle = program->Form1->rect().center();
    const auto offered = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(middle, offered, data, Qt::LeftButton, Qt::NoModifier);
    enter.setDropAction(Qt::MoveAction);
    QApplication::sendEvent(program->Form1, &enter);
    QDropEvent drop(middle, offered, data, Qt::LeftButton, Qt::NoModifier);
    drop.setDropAction(Qt::MoveAction);
    QApplication::sendEvent(program->Form1, &drop);
    return enter.isAccepted() && drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
  }

  QAbstractItemModel *Listing() const { return program->Form1->ListView1->model(); }

  int RowNamed(const QByteArray &name) const
  {
    for (int row = 0; row < Listing()->rowCount(); ++row)
      if (program->Form1->RowName(row) == name)
        return row;
    return -1;
  }

  void SelectRow(int row) const
  {
    if (row < 0)
      program->Form1->ListView1->setCurrentIndex({});
    else
      program->Form1->ListView1->setCurrentIndex(Listing()->index(row, 0));
  }

  void PressInList(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const
  {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    program->Form1->ListView1KeyDown(&press);
    QVERIFY(Settled());
  }

  bool Editing() const { return program->Form1->ListView1->viewport()->findChild<QLineEdit *>() != nullptr; }

  // Types a caption over a row and confirms it with Enter, as the user does.
  void TypeCaption(int row, const QString &text) const
  {
    const QModelIndex index = Listing()->index(row, 0);
    program->Form1->ListView1->edit(index);
    auto *editor = qobject_cast<QLineEdit *>(program->Form1->ListView1->indexWidget(index));
    QVERIFY(editor);
    editor->setText(text);
    QTest::keyClick(editor, Qt::Key_Return);
    // The editor sees the key first; the edit is committed right after.
    QCoreApplication::processEvents();
    QVERIFY(Settled());
  }

  std::unique_ptr<FileTestEnvironment> environment_;
  QByteArray shown_;
  QByteArray from_;
};

void TestChangeWindow::initTestCase()
{
  environment_ = std::make_unique<FileTestEnvironment>();
  environment_->setUserLanguage(QStringLiteral("en"));
}

void TestChangeWindow::init()
{
  ProgramTest::init();
  RemoveContents(environment_->home() + "/shown");
  RemoveContents(environment_->home() + "/from");
  shown_ = environment_->makeFolder("shown");
  from_ = environment_->makeFolder("from");
  MakeFile(shown_ + "a.txt", "A");
  MakeFile(shown_ + "b.txt", "B");
  MakeFolder(shown_ + "dir");
  MakeFile(from_ + "dropped.txt", "D");
  MakeFile(from_ + "\xff\xfe.bin", "X");
  program->Form1->OpenFolder(shown_);
  QVERIFY(Settled());
}

void TestChangeWindow::cleanupTestCase() { environment_.reset(); }

void TestChangeWindow::dragsAreAcceptedOnlyAsCopies_data()
{
  QTest::addColumn<bool>("driveList");
  QTest::addColumn<QByteArray>("uriList");
  QTest::addColumn<int>("possible");
  QTest::addColumn<bool>("accepted");
  const int copyOrMove = Qt::CopyAction | Qt::MoveAction;
  const QByteArray files = "file:///tmp/x\r\n";
  QTest::addRow("files offered for copy or move") << false << files << copyOrMove << true;
  QTest::addRow("files offered for copy") << false << files << int(Qt::CopyAction) << true;
  QTest::addRow("files offered only for a move") << false << files << int(Qt::MoveAction) << false;
  QTest::addRow("no local file, which only the drop reads")
      << false << QByteArray("https://example.com/x\r\n") << copyOrMove << true;
  QTest::addRow("drive list") << true << files << copyOrMove << false;
}

void TestChangeWindow::dragsAreAcceptedOnlyAsCopies()
{
  QFETCH(bool, driveList);
  QFETCH(QByteArray, uriList);
  QFETCH(int, possible);
  QFETCH(bool, accepted);
  if (driveList)
    program->Form1->OpenFolder({});
  QVERIFY(Settled());
  ReadCountingMimeData data;
  data.setData(QStringLiteral("text/uri-list"), uriList);
  const auto actions = Qt::DropActions(possible);
  const QPoint middle = program->Form1->rect().center();

  QDragEnterEvent enter(middle, actions, &data, Qt::LeftButton, Qt::NoModifier);
  enter.setDropAction(Qt::MoveAction);
  QApplication::sendEvent(program->Form1, &enter);
  // Every drag ends in a drop or a leave; Qt keeps the window that took it until then.
  const auto leave = qScopeGuard([this] {
    QDragLeaveEvent left;
    QApplication::sendEvent(program->Form1, &left);
  });
  QCOMPARE(enter.isAccepted(), accepted);
  QDragMoveEvent move(middle, actions, &data, Qt::LeftButton, Qt::ShiftModifier);
  move.setDropAction(Qt::MoveAction);
  QApplication::sendEvent(program->Form1, &move);
  QCOMPARE(move.isAccepted(), accepted);
  if (accepted) {
    QCOMPARE(enter.dropAction(), Qt::CopyAction);
    QCOMPARE(move.dropAction(), Qt::CopyAction);
  }
  QCOMPARE(data.reads, 0);
}

void TestChangeWindow::droppedFilesAreCopiedIntoTheShownFolder()
{
  const auto outside = Snapshot(environment_->home(), {shown_.chopped(1)});
  std::unique_ptr<ReadCountingMimeData> data(
      UriList({from_ + "dropped.txt", from_ + "\xff\xfe.bin", shown_ + "a.txt"}));

  QCOMPARE(DragAndDrop(data.get()), Qt::CopyAction);
  QCOMPARE(data->reads, 1);
  // The copy starts once the drop is over.
  QCoreApplication::sendPostedEvents();
  QVERIFY(Settled());

  QCOMPARE(Names(shown_), (QList<QByteArray>{"a.txt", "b.txt", "dir", "dropped.txt", "\xff\xfe.bin"}));
  QCOMPARE(ReadFile(shown_ + "\xff\xfe.bin"), QByteArray("X"));
  QVERIFY(QApplication::overrideCursor() == nullptr);
  QCOMPARE(Snapshot(environment_->home(), {shown_.chopped(1)}), outside);
  QCOMPARE(program->Form1->CurrentFolder(), shown_);
}

void TestChangeWindow::dropsOnTheDriveListChangeNothing()
{
  program->Form1->OpenFolder({});
  QVERIFY(Settled());
  const QString current = QDir::currentPath();
  QDir::setCurrent(QFile::decodeName(from_));
  const auto before = Snapshot(environment_->home());

  program->Form1->AcceptFiles({from_ + "dropped.txt"});
  std::unique_ptr<QMimeData> data(UriList({from_ + "dropped.txt"}));
  QCOMPARE(DragAndDrop(data.get()), Qt::IgnoreAction);
  QCoreApplication::processEvents();

  QDir::setCurrent(current);
  QCOMPARE(Snapshot(environment_->home()), before);
}

void TestChangeWindow::menuItemsNeedAFolderAndASelectedRow_data()
{
  QTest::addColumn<bool>("driveList");
  QTest::addColumn<bool>("selected");
  QTest::addColumn<bool>("enabled");
  QTest::addRow("folder, no row selected") << false << false << false;
  QTest::addRow("drive list, no row selected") << true << false << false;
  QTest::addRow("folder, row selected") << false << true << true;
  QTest::addRow("drive list, row selected") << true << true << false;
}

void TestChangeWindow::menuItemsNeedAFolderAndASelectedRow()
{
  QFETCH(bool, driveList);
  QFETCH(bool, selected);
  QFETCH(bool, enabled);
  if (driveList)
    program->Form1->OpenFolder({});
  QVERIFY(Settled());
  SelectRow(selected ? 0 : -1);
  program->Form1->Rename1->setEnabled(!enabled);
  program->Form1->Delete1->setEnabled(!enabled);

  program->Form1->PopupMenu1Popup();

  QCOMPARE(program->Form1->Rename1->isEnabled(), enabled);
  QCOMPARE(program->Form1->Delete1->isEnabled(), enabled);
}

void TestChangeWindow::keysWithoutASelectedRowDoNothing()
{
  SelectRow(-1);
  const ModalBoxes boxes(*program);
  const auto before = Snapshot(environment_->home());

  PressInList(Qt::Key_F2);
  PressInList(Qt::Key_Delete);
  program->Form1->Rename1Click();
  program->Form1->Delete1Click();

  QVERIFY(!Editing());
  QCOMPARE(boxes.shown, QStringList());
  QCOMPARE(Snapshot(environment_->home()), before);
}

void TestChangeWindow::renameStartsWithF2OrTheMenu()
{
  program->Form1->show();
  QVERIFY(QTest::qWaitForWindowExposed(program->Form1));
  for (const auto &start : {std::function<void()>([this] { PressInList(Qt::Key_F2); }),
                            std::function<void()>([this] { program->Form1->Rename1Click(); })}) {
    SelectRow(RowNamed("a.txt"));
    start();
    QTRY_VERIFY(Editing());
    QTest::keyClick(program->Form1->ListView1->viewport()->findChild<QLineEdit *>(), Qt::Key_Escape);
    QTRY_VERIFY(!Editing());
  }
  QCOMPARE(Names(shown_), (QList<QByteArray>{"a.txt", "b.txt", "dir"}));
  program->Form1->hide();
}

void TestChangeWindow::renameShowsTheOutcomeInTheRow_data()
{
  QTest::addColumn<QByteArray>("name");
  QTest::addColumn<QString>("newText");
  QTest::addColumn<QString>("caption");
  QTest::addColumn<QStringList>("messages");
  QTest::addColumn<QList<QByteArray>>("names");
  const QString oddCaption = QStringLiteral("caf\uFFFD.txt");
  QTest::addRow("not UTF-8, unchanged") << kNotUtf8 << oddCaption << oddCaption << QStringList()
                                        << QList<QByteArray>{"a.txt", "b.txt", kNotUtf8, "dir"};
  QTest::addRow("not UTF-8, name taken") << kNotUtf8 << "b.txt" << oddCaption
                                         << QStringList{"A file with this name already exists!"}
                                         << QList<QByteArray>{"a.txt", "b.txt", kNotUtf8, "dir"};
  QTest::addRow("renamed") << QByteArray("a.txt") << "c.txt"
                           << "c.txt" << QStringList() << QList<QByteArray>{"b.txt", "c.txt", "dir"};
  QTest::addRow("file name taken") << QByteArray("a.txt") << "b.txt"
                                   << "a.txt" << QStringList{"A file with this name already exists!"}
                                   << QList<QByteArray>{"a.txt", "b.txt", "dir"};
  QTest::addRow("folder name taken") << QByteArray("dir") << ""
                                     << "dir" << QStringList{"A folder with this name already exists!"}
                                     << QList<QByteArray>{"a.txt", "b.txt", "dir"};
  QTest::addRow("refused by the system") << QByteArray("a.txt") << "dir"
                                         << "a.txt"
                                         << QStringList{QStringLiteral("Could not rename \"a.txt\" to \"dir\": %1.")
                                                            .arg(QString::fromLocal8Bit(std::strerror(EEXIST)))}
                                         << QList<QByteArray>{"a.txt", "b.txt", "dir"};
  QTest::addRow("slash typed") << QByteArray("a.txt") << "dir/a.txt"
                               << "a.txt"
                               << QStringList{QStringLiteral(
                                      "Could not rename \"a.txt\" to \"dir/a.txt\": a name must "
                                      "not be empty, \".\" or \"..\" and must not contain \"/\".")}
                               << QList<QByteArray>{"a.txt", "b.txt", "dir"};
}

void TestChangeWindow::renameShowsTheOutcomeInTheRow()
{
  QFETCH(QByteArray, name);
  QFETCH(QString, newText);
  QFETCH(QString, caption);
  QFETCH(QStringList, messages);
  QFETCH(QList<QByteArray>, names);
  if (name == kNotUtf8) {
    MakeFile(shown_ + name, "O");
    program->Form1->OpenFolder(shown_);
    QVERIFY(Settled());
  }
  const int row = RowNamed(name);
  QVERIFY(row >= 0);
  const ModalBoxes boxes(*program);

  TypeCaption(row, newText);

  QCOMPARE(boxes.shown, messages);
  QCOMPARE(program->Form1->RowCaption(row), caption);
  // The row names what is on disk, so Open, Rename and Delete act on that entry.
  QCOMPARE(program->Form1->RowName(row), names.contains(name) ? name : newText.toUtf8());
  QCOMPARE(Names(shown_), names);
}

void TestChangeWindow::aListingWhileARenameMessageIsOpenStays()
{
  const ModalScript script({[this](QWidget *) {
    MakeFile(shown_ + "new.txt", "N");
    program->Form1->PngSpeedButton6Click();
    QVERIFY(Settled()); // the listing is shown while the message is open
    program->Form5->PngBitBtn1->click();
  }});

  TypeCaption(RowNamed("a.txt"), QStringLiteral("b.txt"));

  QCOMPARE(script.stepsLeft(), 0);
  QCOMPARE(Listing()->rowCount(), 4);
  QCOMPARE(program->Form1->RowCaption(RowNamed("a.txt")), QStringLiteral("a.txt"));
  QVERIFY(RowNamed("new.txt") >= 0);
}

void TestChangeWindow::deleteAsksAndMovesToTheTrash_data()
{
  QTest::addColumn<QByteArray>("name");
  QTest::addColumn<int>("modifiers");
  QTest::addColumn<Reply>("reply");
  QTest::addColumn<bool>("vanishesWhileAsked");
  QTest::addColumn<QStringList>("shown");
  QTest::addColumn<QList<QByteArray>>("names");
  const QString question = QStringLiteral("Are you sure you want to delete \"a.txt\"? [Yes/No]");
  QTest::addRow("Yes") << QByteArray("a.txt") << 0 << Reply::Yes << false << QStringList{question}
                       << QList<QByteArray>{"b.txt", "dir"};
  QTest::addRow("Shift+Delete, Yes") << QByteArray("a.txt") << int(Qt::ShiftModifier) << Reply::Yes << false
                                     << QStringList{question} << QList<QByteArray>{"b.txt", "dir"};
  QTest::addRow("No") << QByteArray("a.txt") << 0 << Reply::No << false << QStringList{question}
                      << QList<QByteArray>{"a.txt", "b.txt", "dir"};
  QTest::addRow("vanished while asked") << QByteArray("a.txt") << 0 << Reply::Yes << true << QStringList{question}
                                        << QList<QByteArray>{"b.txt", "dir"};
  QTest::addRow("folder refused") << QByteArray("dir") << 0 << Reply::Yes << false
                                  << QStringList{"Cannot delete folders."}
                                  << QList<QByteArray>{"a.txt", "b.txt", "dir"};
}

void TestChangeWindow::deleteAsksAndMovesToTheTrash()
{
  QFETCH(QByteArray, name);
  QFETCH(int, modifiers);
  QFETCH(Reply, reply);
  QFETCH(bool, vanishesWhileAsked);
  QFETCH(QStringList, shown);
  QFETCH(QList<QByteArray>, names);
  SelectRow(RowNamed(name));
  const QByteArray trash = environment_->home() + "/.xdg_data_home/Trash";
  const ModalBoxes boxes(*program, {reply}, [&] {
    if (vanishesWhileAsked)
      ::unlink((shown_ + name).constData());
  });

  PressInList(Qt::Key_Delete, Qt::KeyboardModifiers(modifiers));

  QCOMPARE(boxes.shown, shown);
  QCOMPARE(Names(shown_), names);
  QCOMPARE(RowNamed(name) >= 0, names.contains(name));
  const bool trashed = reply == Reply::Yes && !vanishesWhileAsked && !names.contains(name);
  QCOMPARE(ReadFile(trash + "/files/" + name), trashed ? QByteArray("A") : QByteArray());
  RemoveContents(trash);
}

void TestChangeWindow::deleteKeyInTheDriveListDoesNothing()
{
  program->Form1->OpenFolder({});
  QVERIFY(Settled());
  QVERIFY(!program->Form1->FolderShown());
  SelectRow(0);
  const ModalBoxes boxes(*program);

  PressInList(Qt::Key_Delete);
  program->Form1->Delete1Click();

  QCOMPARE(boxes.shown, QStringList());
  QVERIFY(!program->Form1->FolderShown());
}

// Ampersands and markup in a name reach the boxes unchanged; the boxes draw them literally.
void TestChangeWindow::boxesShowNamesAsTyped()
{
  const QByteArray name = "a&b <b>x<b>.txt";
  MakeFile(shown_ + name, "M");
  program->Form1->OpenFolder(shown_);
  QVERIFY(Settled());
  SelectRow(RowNamed(name));
  const ModalBoxes boxes(*program);

  PressInList(Qt::Key_Delete);
  const int row = RowNamed("a.txt");
  TypeCaption(row, QStringLiteral("a&b <b>x</b>.txt"));

  QCOMPARE(boxes.shown, (QStringList{"Are you sure you want to delete \"a&b <b>x<b>.txt\"? [Yes/No]",
                                     "Could not rename \"a.txt\" to \"a&b <b>x</b>.txt\": a name must not be "
                                     "empty, \".\" or \"..\" and must not contain \"/\"."}));
  QCOMPARE(Names(shown_), (QList<QByteArray>{"a&b <b>x<b>.txt", "a.txt", "b.txt", "dir"}));
}

QTEST_MAIN(TestChangeWindow)
#include "test_change_window.moc"
