// The real program on a real X server, used as a person uses it: rows, buttons, dialogs,
// keys, the window's frame and a drop from another program. Every check looks at the disk
// or at the screen, never inside the program.
#include <QDir>
#include <QFile>
#include <QtTest>
#include <memory>

#include "tests/e2e/tarnview_run.h"
#include "tests/e2e/x_desktop.h"

using namespace tv::e2e;

namespace {

constexpr int kTimeoutMs = 10000;
// How long a refused action is given to show an effect it must not have.
constexpr int kSettleMs = 1500;
constexpr int kBetweenPressesMs = 600;
constexpr QPoint kDeleteYes{120, 92};
constexpr QPoint kDeleteNo{208, 92};
constexpr QPoint kDragSourcePlace{1100, 100};
const QByteArray kPayload = "contents that must arrive unchanged\n";

// Grey outline columns of the top-left corner picture, row by row from the top; the pixels
// left of them lie outside the rounded edge.
constexpr int kFirstOutlineColumn[] = {10, 7, 5, 4, 3, 2, 2, 1, 1};

bool WriteFile(const QString &path, const QByteArray &contents)
{
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size();
}

QByteArray ReadFile(const QString &path)
{
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool IsFolder(const QString &path) { return QFileInfo(path).isDir(); }

bool ListIsEmpty(TarnviewRun &run) { return IsBlank(run.windowImage(), place::List); }

bool FolderIsShown(TarnviewRun &run) { return !IsBlank(run.windowImage(), place::LastModifiedTitle); }

// "New folder", the name typed over the proposed one, and Enter in the dialog; false when
// no dialog came.
bool MakeFolderThroughDialog(TarnviewRun &run, const QString &name)
{
  run.click(place::NewFolder);
  if (!run.waitForWindow(QStringLiteral("New folder")).isValid())
    return false;
  run.keys({QStringLiteral("ctrl+a")});
  run.type(name);
  run.keys({QStringLiteral("Return")});
  return true;
}

} // namespace

class TestE2eFeatures : public QObject {
  Q_OBJECT

private slots:
  void initTestCase();
  void doubleClickingAFolderRowListsIt();
  void upWalksToTheDriveList();
  void newFolderIsMadeAndListed_data();
  void newFolderIsMadeAndListed();
  void f2RenamesAFileOnDisk_data();
  void f2RenamesAFileOnDisk();
  void deleteAsksThenMovesTheFileToTheTrash_data();
  void deleteAsksThenMovesTheFileToTheTrash();
  void draggingTheTopStripMovesTheWindow_data();
  void draggingTheTopStripMovesTheWindow();
  void theContextMenuOpensAtThePointer_data();
  void theContextMenuOpensAtThePointer();
  void cornersAreRounded_data();
  void cornersAreRounded();
  void aFileDroppedFromAnotherProgramIsCopied();

private:
  std::unique_ptr<XDesktop> desktop_;
};

void TestE2eFeatures::initTestCase()
{
  desktop_ = std::make_unique<XDesktop>();
  if (!desktop_->serverStarted())
    QSKIP(qPrintable(QStringLiteral("no X server could be started: ") + desktop_->failure()));
  QVERIFY2(desktop_->isRunning(), qPrintable(desktop_->failure()));
}

void TestE2eFeatures::doubleClickingAFolderRowListsIt()
{
  TarnviewRun run(*desktop_);
  // The only folder, so it is the first row.
  QVERIFY(QDir(run.appFolder()).mkdir(QStringLiteral("aaa")));
  QVERIFY2(run.start(), qPrintable(run.error()));
  QVERIFY(QTest::qWaitFor([&] { return !ListIsEmpty(run); }, kTimeoutMs));

  run.doubleClick(place::FirstRow);
  QVERIFY(QTest::qWaitFor([&] { return ListIsEmpty(run); }, kTimeoutMs));
  QVERIFY(FolderIsShown(run));
  // What is made now lands in the folder that is listed.
  QVERIFY(MakeFolderThroughDialog(run, QStringLiteral("inner")));
  QTRY_VERIFY_WITH_TIMEOUT(IsFolder(run.appFolder() + QStringLiteral("aaa/inner")), kTimeoutMs);
}

void TestE2eFeatures::upWalksToTheDriveList()
{
  TarnviewRun run(*desktop_);
  QVERIFY2(run.start(), qPrintable(run.error()));
  QVERIFY(QTest::qWaitFor([&] { return FolderIsShown(run); }, kTimeoutMs));

  // From the application folder up to the root: every step still shows a folder.
  const qsizetype levels = QDir::cleanPath(run.appFolder()).split(QLatin1Char('/'), Qt::SkipEmptyParts).size();
  for (qsizetype level = 0; level < levels; ++level) {
    run.click(place::Up);
    // Presses further apart than a double click, as a person makes them.
    QTest::qWait(kBetweenPressesMs);
  }
  QTest::qWait(kSettleMs);
  QVERIFY(FolderIsShown(run));

  run.click(place::Up);
  QVERIFY(QTest::qWaitFor([&] { return !FolderIsShown(run); }, kTimeoutMs));
  QTest::qWait(kBetweenPressesMs);
  run.click(place::Up);
  QTest::qWait(kSettleMs);
  QVERIFY(!FolderIsShown(run));
}

void TestE2eFeatures::newFolderIsMadeAndListed_data()
{
  QTest::addColumn<QString>("name");
  QTest::newRow("plain") << QStringLiteral("made");
  QTest::newRow("with a space") << QStringLiteral("two words");
  QTest::newRow("with dots") << QStringLiteral("dots.in.name");
}

void TestE2eFeatures::newFolderIsMadeAndListed()
{
  QFETCH(QString, name);
  TarnviewRun run(*desktop_);
  QVERIFY2(run.start(), qPrintable(run.error()));

  QVERIFY(MakeFolderThroughDialog(run, name));
  const QString made = run.appFolder() + name;
  QTRY_VERIFY_WITH_TIMEOUT(IsFolder(made), kTimeoutMs);
  QVERIFY(QTest::qWaitFor([&] { return ListIsEmpty(run); }, kTimeoutMs));

  QVERIFY(MakeFolderThroughDialog(run, QStringLiteral("inner")));
  QTRY_VERIFY_WITH_TIMEOUT(IsFolder(made + QStringLiteral("/inner")), kTimeoutMs);
}

void TestE2eFeatures::f2RenamesAFileOnDisk_data()
{
  QTest::addColumn<QString>("newName");
  QTest::newRow("new name") << QStringLiteral("renamed.txt");
  QTest::newRow("with a space") << QStringLiteral("two words.txt");
  QTest::newRow("letter case only") << QStringLiteral("AAA.txt");
}

void TestE2eFeatures::f2RenamesAFileOnDisk()
{
  QFETCH(QString, newName);
  TarnviewRun run(*desktop_);
  // No folders, and "aaa.txt" sorts before "tarnview": the first row.
  const QString old = run.appFolder() + QStringLiteral("aaa.txt");
  QVERIFY(WriteFile(old, kPayload));
  QVERIFY2(run.start(), qPrintable(run.error()));

  run.click(place::FirstRow);
  run.keys({QStringLiteral("F2")});
  run.keys({QStringLiteral("ctrl+a")});
  run.type(newName);
  run.keys({QStringLiteral("Return")});

  const QString renamed = run.appFolder() + newName;
  QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(old), kTimeoutMs);
  QCOMPARE(ReadFile(renamed), kPayload);
}

void TestE2eFeatures::deleteAsksThenMovesTheFileToTheTrash_data()
{
  QTest::addColumn<QPoint>("answer");
  QTest::addColumn<bool>("trashed");
  QTest::newRow("Yes") << kDeleteYes << true;
  QTest::newRow("No") << kDeleteNo << false;
}

void TestE2eFeatures::deleteAsksThenMovesTheFileToTheTrash()
{
  QFETCH(QPoint, answer);
  QFETCH(bool, trashed);
  TarnviewRun run(*desktop_);
  const QString file = run.appFolder() + QStringLiteral("aaa.txt");
  QVERIFY(WriteFile(file, kPayload));
  QVERIFY2(run.start(), qPrintable(run.error()));

  run.click(place::FirstRow);
  run.keys({QStringLiteral("Delete")});
  QVERIFY(run.waitForWindow(QStringLiteral("Delete file")).isValid());
  run.clickIn(QStringLiteral("Delete file"), answer);

  const QString inTrash = run.trashFolder() + QStringLiteral("files/aaa.txt");
  if (!trashed) {
    QTest::qWait(kSettleMs);
    QCOMPARE(ReadFile(file), kPayload);
    QVERIFY(!QFile::exists(inTrash));
    return;
  }
  QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(file), kTimeoutMs);
  QCOMPARE(ReadFile(inTrash), kPayload);
  // The record that lets any desktop's trash put the file back where it was.
  const QByteArray info = ReadFile(run.trashFolder() + QStringLiteral("info/aaa.txt.trashinfo"));
  QVERIFY2(info.startsWith("[Trash Info]\n"), info.constData());
  QVERIFY2(info.contains("\nPath=" + QFile::encodeName(file) + '\n'), info.constData());
}

void TestE2eFeatures::draggingTheTopStripMovesTheWindow_data()
{
  QTest::addColumn<bool>("managed");
  QTest::addColumn<bool>("misinformed");
  QTest::addColumn<QPoint>("pressed");
  QTest::addColumn<bool>("moves");
  QTest::newRow("top left") << true << false << QPoint(8, 8) << true;
  QTest::newRow("lowest row of the strip") << true << false << QPoint(300, 39) << true;
  QTest::newRow("left of Exit") << true << false << QPoint(831, 20) << true;
  QTest::newRow("below the strip") << true << false << QPoint(300, 45) << false;
  // A window manager may leave the program with an old idea of where its window stands
  // (openbox does, now and then, right after it placed a new window).
  QTest::newRow("misinformed, top left") << true << true << QPoint(8, 8) << true;
  QTest::newRow("misinformed, left of Exit") << true << true << QPoint(831, 20) << true;
  QTest::newRow("misinformed, below the strip") << true << true << QPoint(300, 45) << false;
  // With no window manager the program moves the window itself.
  QTest::newRow("unmanaged, top left") << false << false << QPoint(8, 8) << true;
  QTest::newRow("unmanaged, below the strip") << false << false << QPoint(300, 45) << false;
  QTest::newRow("unmanaged, misinformed") << false << true << QPoint(300, 39) << true;
}

void TestE2eFeatures::draggingTheTopStripMovesTheWindow()
{
  QFETCH(bool, managed);
  QFETCH(bool, misinformed);
  QFETCH(QPoint, pressed);
  QFETCH(bool, moves);
  std::unique_ptr<XDesktop> bare;
  if (!managed) {
    bare = std::make_unique<XDesktop>(desktop_->screenSize(), XDesktop::Manager::None);
    QVERIFY2(bare->isRunning(), qPrintable(bare->failure()));
  }
  TarnviewRun run(managed ? *desktop_ : *bare);
  QVERIFY2(run.start(), qPrintable(run.error()));
  const QPoint before = run.windowGeometry().topLeft();
  if (misinformed)
    QVERIFY2(run.announcePlace({0, 0}), qPrintable(run.error()));
  const QPoint offset(60, 40);

  run.drag(pressed, pressed + offset);
  if (!moves) {
    QTest::qWait(kSettleMs);
    QCOMPARE(run.windowGeometry().topLeft(), before);
    return;
  }
  QTRY_COMPARE_WITH_TIMEOUT(run.windowGeometry().topLeft(), before + offset, kTimeoutMs);
}

void TestE2eFeatures::theContextMenuOpensAtThePointer_data()
{
  QTest::addColumn<bool>("misinformed");
  QTest::newRow("informed") << false;
  QTest::newRow("misinformed") << true;
}

void TestE2eFeatures::theContextMenuOpensAtThePointer()
{
  QFETCH(bool, misinformed);
  TarnviewRun run(*desktop_);
  QVERIFY(WriteFile(run.appFolder() + QStringLiteral("aaa.txt"), kPayload));
  QVERIFY2(run.start(), qPrintable(run.error()));
  if (misinformed)
    QVERIFY2(run.announcePlace({0, 0}), qPrintable(run.error()));

  run.click(place::FirstRow, 3);
  const QRect menu = run.waitForOtherWindow();
  QVERIFY2(menu.isValid(), "no context menu");
  const QPoint pointer = run.windowGeometry().topLeft() + place::FirstRow;
  QVERIFY2((menu.topLeft() - pointer).manhattanLength() <= 4,
           qPrintable(QStringLiteral("menu at %1,%2, pointer at %3,%4")
                          .arg(menu.x())
                          .arg(menu.y())
                          .arg(pointer.x())
                          .arg(pointer.y())));
}

void TestE2eFeatures::cornersAreRounded_data()
{
  QTest::addColumn<bool>("right");
  QTest::addColumn<bool>("bottom");
  QTest::newRow("top left") << false << false;
  QTest::newRow("top right") << true << false;
  QTest::newRow("bottom left") << false << true;
  QTest::newRow("bottom right") << true << true;
}

void TestE2eFeatures::cornersAreRounded()
{
  QFETCH(bool, right);
  QFETCH(bool, bottom);
  TarnviewRun run(*desktop_);
  QVERIFY2(run.start(), qPrintable(run.error()));
  const QRect window = run.windowGeometry();
  QImage screen;
  QVERIFY(QTest::qWaitFor(
      [&] {
        screen = desktop_->screenshot();
        return !IsBlank(screen.copy(window), {16, 16, 64, 20});
      },
      kTimeoutMs));

  // A point of the corner square, counted from the window's own corner inwards.
  const auto corner = [&](int column, int row) {
    return QPoint(right ? window.right() - column : window.left() + column,
                  bottom ? window.bottom() - row : window.top() + row);
  };
  const QRgb root = screen.pixel(window.left() - 4, window.center().y());
  for (int row = 0; row < int(std::size(kFirstOutlineColumn)); ++row)
    for (int column = 0; column < kFirstOutlineColumn[row]; ++column)
      QVERIFY2(screen.pixel(corner(column, row)) == root,
               qPrintable(QStringLiteral("row %1 column %2").arg(row).arg(column)));
  QCOMPARE(screen.pixel(corner(6, 6)), qRgb(255, 255, 255));
}

void TestE2eFeatures::aFileDroppedFromAnotherProgramIsCopied()
{
  TarnviewRun run(*desktop_);
  const QString source = run.elsewhere() + QStringLiteral("dropped.txt");
  QVERIFY(WriteFile(source, kPayload));
  QVERIFY2(run.start(), qPrintable(run.error()));

  GroupedProcess dragSource;
  dragSource.setProcessEnvironment(desktop_->environment());
  dragSource.setProcessChannelMode(QProcess::ForwardedChannels);
  dragSource.start(QStringLiteral(DRAG_SOURCE_EXECUTABLE), {source});
  QVERIFY(run.waitForWindow(QStringLiteral("Tarnview drag source")).isValid());
  desktop_->xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                     QStringLiteral("^Tarnview drag source$"), QStringLiteral("windowmove"), QStringLiteral("--sync"),
                     QString::number(kDragSourcePlace.x()), QString::number(kDragSourcePlace.y())});
  const QRect sourceWindow = run.waitForWindow(QStringLiteral("Tarnview drag source"));

  run.drag(sourceWindow.center() - run.windowGeometry().topLeft(), place::ListBackground);
  const QString copy = run.appFolder() + QStringLiteral("dropped.txt");
  QTRY_COMPARE_WITH_TIMEOUT(ReadFile(copy), kPayload, kTimeoutMs);
  QCOMPARE(ReadFile(source), kPayload);
}

QTEST_GUILESS_MAIN(TestE2eFeatures)
#include "test_e2e_features.moc"
