#include <QAbstractItemModel>
#include <QHeaderView>
#include <QLabel>
#include <QStyleHints>
#include <QTreeView>
#include <QtTest>
#include <memory>
#include <sys/stat.h>

#include "app/program.h"
#include "tests/support/fake_opener.h"
#include "tests/support/program_fixture.h"
#include "tests/support/test_environment.h"
#include "ui/png_speed_button.h"

using namespace tv;
using Captions = QStringList;

class TestMainWindow : public test::ProgramTest {
  Q_OBJECT
private slots:
  void initTestCase();
  void cleanupTestCase();
  void init();
  void cleanup();
  void exitClosesTheWindow();
  void showsTheFolderAfterTheTitle();
  void cutsALongPathAt737Pixels();
  void showsTheMessageRowForAMissingFolder();
  void onlyTheLastListingShowsItsPathWithItsRows();
  void titlesTheDriveList_data();
  void titlesTheDriveList();
  void upClimbsToTheDriveList();
  void upLeavesAFolderThatNoLongerExists();
  void refreshShowsAFolderRemovedWhileShown();
  void clickingATitleSortsUntilRefresh_data();
  void clickingATitleSortsUntilRefresh();
  void doubleClickEntersFoldersAndDrives();
  void doubleClickOnTheSelectedRowOnlyOpensIt();
  void doubleClickOpensFilesInTheirFolder_data();
  void doubleClickOpensFilesInTheirFolder();
  void enterAndBackspaceDoNothing();
  void homeShowsTheChosenLocation_data();
  void homeShowsTheChosenLocation();
  void choosesTheDisplayPlatform_data();
  void choosesTheDisplayPlatform();

private:
  // One home for the whole run: QSettings keeps the first configuration folder it sees.
  std::unique_ptr<test::TestEnvironment> environment_;
  QByteArray rootName_;
  QByteArray root_; // a fresh folder of the temporary home for each test, ending in "/"
  int tests_ = 0;

  int RowCount() const { return program->Form1->ListView1->model()->rowCount(); }

  // Clicks a control and waits for the listing or operation it starts.
  void Click(QWidget *widget) const
  {
    QTest::mouseClick(widget, Qt::LeftButton);
    QVERIFY(Settled());
  }

  Captions ShownCaptions() const
  {
    Captions captions;
    for (int row = 0; row < RowCount(); ++row)
      captions.append(program->Form1->RowCaption(row));
    return captions;
  }

  QPoint RowCentre(int row) const
  {
    return program->Form1->ListView1->visualRect(program->Form1->ListView1->model()->index(row, 0)).center();
  }

  int RowOf(const QString &caption) const { return ShownCaptions().indexOf(caption); }

  void DoubleClick(int row)
  {
    QTest::mouseClick(program->Form1->ListView1->viewport(), Qt::LeftButton, {}, RowCentre(row));
    QTest::mouseDClick(program->Form1->ListView1->viewport(), Qt::LeftButton, {}, RowCentre(row));
    QCoreApplication::sendPostedEvents();
    QVERIFY(Settled());
  }

  // A folder inside the test's folder, made with its parents; ends in "/".
  QByteArray MakeFolder(const QByteArray &relative) const
  {
    return environment_->makeFolder(rootName_ + '/' + relative);
  }
};

void TestMainWindow::initTestCase()
{
  environment_ = std::make_unique<test::TestEnvironment>();
  environment_->setUserLanguage(QStringLiteral("en"));
}

void TestMainWindow::cleanupTestCase() { environment_.reset(); }

void TestMainWindow::init()
{
  ProgramTest::init();
  program->Form1->show();
  QVERIFY(QTest::qWaitForWindowExposed(program->Form1));
  rootName_ = "root" + QByteArray::number(++tests_);
  root_ = environment_->makeFolder(rootName_);
}

void TestMainWindow::cleanup() { ProgramTest::cleanup(); }

void TestMainWindow::exitClosesTheWindow()
{
  Click(program->Form1->PngSpeedButton1);
  QVERIFY(!program->Form1->isVisible());
}

void TestMainWindow::showsTheFolderAfterTheTitle()
{
  MakeFolder("sub");
  test::WriteFile(root_ + "b.txt");
  test::WriteFile(root_ + "a & b.txt");
  program->Form1->OpenFolder(root_ + "/.");
  QVERIFY(Settled());
  program->Form1->OpenFolder(root_ + "/sub//..");
  QVERIFY(Settled());
  QCOMPARE(program->Form1->CurrentFolder(), root_ + "sub/../"); // "/sub//.." as the path text gives it
  program->Form1->OpenFolder(root_.chopped(1));
  QVERIFY(Settled());

  QCOMPARE(program->Form1->CurrentFolder(), root_);
  QCOMPARE(program->Form1->Label1->text(), QLatin1Char(' ') + QString::fromUtf8(root_));
  QCOMPARE(program->Form1->Label1->x(), program->Form1->Label2->x() + program->Form1->Label2->width());
  QVERIFY(program->Form1->FolderShown());
  QCOMPARE(ShownCaptions(), (Captions{"sub", "a & b.txt", "b.txt"}));
  QCOMPARE(program->Form1->RowImage(0), int(ops::ListImage::Folder));
  QCOMPARE(program->Form1->RowImage(1), int(ops::ListImage::File));
  QCOMPARE(
      (QStringList{program->Form1->Label3->text(), program->Form1->Label4->text(), program->Form1->Label5->text()}),
      (QStringList{"Filename", "Size", "Last modified"}));
  const QHeaderView *header = program->Form1->ListView1->header();
  QCOMPARE((QList<int>{header->sectionSize(0), header->sectionSize(1), header->sectionSize(2)}),
           (QList<int>{540, 100, 140}));
}

void TestMainWindow::cutsALongPathAt737Pixels()
{
  const QByteArray deep = MakeFolder(QByteArray(200, 'x') + '/' + QByteArray(200, 'y'));
  program->Form1->OpenFolder(deep);
  QVERIFY(Settled());
  QVERIFY(program->Form1->Label1->sizeHint().width() > 737);
  QCOMPARE(program->Form1->Label1->width(), 737);
  program->Form1->OpenFolder(root_);
  QVERIFY(Settled());
  QVERIFY(program->Form1->Label1->width() < 737);
  QCOMPARE(program->Form1->Label1->width(), program->Form1->Label1->sizeHint().width());
}

void TestMainWindow::showsTheMessageRowForAMissingFolder()
{
  program->Form1->OpenFolder(root_ + "missing");
  QVERIFY(Settled());
  QCOMPARE(ShownCaptions(), Captions{"This folder doesn't exist!"});
  QCOMPARE(program->Form1->RowImage(0), int(ops::ListImage::None));
  QCOMPARE(program->Form1->RowName(0), QByteArray());
  QVERIFY(program->Form1->FolderShown());
  QCOMPARE(program->Form1->Label1->text(), QLatin1Char(' ') + QString::fromUtf8(root_ + "missing/"));

  program->Form1->OpenFolder({});
  QVERIFY(Settled());
  QVERIFY(!program->Form1->FolderShown());
  program->Form1->OpenFolder(root_);
  QVERIFY(Settled());
  QVERIFY(program->Form1->FolderShown());
  QCOMPARE(RowCount(), 0);
}

// Until the listing is ready the window shows the folder before; a listing that a newer
// request overtook is never shown.
void TestMainWindow::onlyTheLastListingShowsItsPathWithItsRows()
{
  const QByteArray shown = MakeFolder("shown"), overtaken = MakeFolder("overtaken"), last = MakeFolder("last");
  test::WriteFile(shown + "shown.txt");
  test::WriteFile(overtaken + "overtaken.txt");
  test::WriteFile(last + "last.txt");
  program->Form1->OpenFolder(shown);
  QVERIFY(Settled());
  QStringList pathsWithRows;
  const QMetaObject::Connection listing =
      connect(program->Form1->ListView1->model(), &QAbstractItemModel::modelReset, this,
              [&] { pathsWithRows << program->Form1->Label1->text() + ": " + ShownCaptions().join(", "); });

  program->Form1->OpenFolder(overtaken);
  program->Form1->OpenFolder(last);
  QCOMPARE(program->Form1->Label1->text(), QLatin1Char(' ') + QString::fromUtf8(shown));
  QCOMPARE(ShownCaptions(), Captions{"shown.txt"});
  QVERIFY(Settled());
  disconnect(listing);

  QCOMPARE(pathsWithRows, QStringList{' ' + QString::fromUtf8(last) + ": last.txt"});
  QCOMPARE(program->Form1->CurrentFolder(), last);
}

void TestMainWindow::titlesTheDriveList_data()
{
  QTest::addColumn<bool>("english");
  QTest::addColumn<QString>("title");
  QTest::newRow("English") << true << " My Computer (drive list)";
  QTest::newRow("second language") << false << "我的电脑 (驱动器列表)";
}

void TestMainWindow::titlesTheDriveList()
{
  QFETCH(bool, english);
  QFETCH(QString, title);
  program->settings.IsEnglish = english;
  Click(program->Form1->PngSpeedButton4);

  QCOMPARE(program->Form1->Label1->text(), title);
  QVERIFY(program->Form1->Label5->isHidden());
  QVERIFY(program->Form1->Label4->isVisible());
  const Captions drives = ShownCaptions();
  QVERIFY(drives.contains(QStringLiteral("/")));
  for (int row = 0; row < RowCount(); ++row) {
    QVERIFY(drives[row].endsWith(QLatin1Char('/')));
    QCOMPARE(program->Form1->RowImage(row), int(ops::ListImage::Drive));
  }
  Click(program->Form1->PngSpeedButton2); // Up does nothing here
  QCOMPARE(ShownCaptions(), drives);
  QVERIFY(!program->Form1->FolderShown());
}

void TestMainWindow::upClimbsToTheDriveList()
{
  program->Form1->OpenFolder(MakeFolder("a/b"));
  QVERIFY(Settled());
  Click(program->Form1->PngSpeedButton2);
  QCOMPARE(program->Form1->CurrentFolder(), root_ + "a/");
  QCOMPARE(ShownCaptions(), Captions{"b"});
  Click(program->Form1->PngSpeedButton2);
  QCOMPARE(program->Form1->CurrentFolder(), root_);

  QByteArray last;
  for (int step = 0; step < root_.count('/') && program->Form1->FolderShown(); ++step) {
    last = program->Form1->CurrentFolder();
    Click(program->Form1->PngSpeedButton2);
  }
  QCOMPARE(last, QByteArray("/"));
  QVERIFY(!program->Form1->FolderShown());
}

void TestMainWindow::upLeavesAFolderThatNoLongerExists()
{
  MakeFolder("kept");
  program->Form1->OpenFolder(root_ + "gone/deeper");
  QVERIFY(Settled());
  QCOMPARE(RowCount(), 1);
  Click(program->Form1->PngSpeedButton2);
  QCOMPARE(program->Form1->CurrentFolder(), root_ + "gone/");
  QCOMPARE(program->Form1->RowImage(0), int(ops::ListImage::None));
  Click(program->Form1->PngSpeedButton2);
  QCOMPARE(ShownCaptions(), Captions{"kept"});
}

void TestMainWindow::refreshShowsAFolderRemovedWhileShown()
{
  const QByteArray folder = MakeFolder("brief");
  program->Form1->OpenFolder(folder);
  QVERIFY(Settled());
  QCOMPARE(RowCount(), 0);
  QVERIFY(QDir(QFile::decodeName(folder)).removeRecursively());
  Click(program->Form1->PngSpeedButton6);
  QCOMPARE(ShownCaptions(), Captions{"This folder doesn't exist!"});
  QCOMPARE(program->Form1->CurrentFolder(), folder);
}

void TestMainWindow::clickingATitleSortsUntilRefresh_data()
{
  QTest::addColumn<int>("title");
  QTest::addColumn<Captions>("sorted");
  QTest::newRow("Filename") << 3 << Captions{"sub", "zoo", "a.txt", "B.txt", "c.txt"};
  QTest::newRow("Size") << 4 << Captions{"sub", "zoo", "c.txt", "a.txt", "B.txt"};
  QTest::newRow("Last modified") << 5 << Captions{"sub", "zoo", "B.txt", "c.txt", "a.txt"};
}

void TestMainWindow::clickingATitleSortsUntilRefresh()
{
  QFETCH(int, title);
  QFETCH(Captions, sorted);
  MakeFolder("zoo");
  MakeFolder("sub");
  const auto at = [](int year) { return QDateTime(QDate(year, 6, 1), QTime(12, 0)); };
  test::WriteFile(root_ + "a.txt", QByteArray(2048, 'a'), at(2020));
  test::WriteFile(root_ + "B.txt", QByteArray(1048576, 'b'), at(1975));
  test::WriteFile(root_ + "c.txt", QByteArray(10, 'c'), at(2001));
  program->Form1->OpenFolder(root_);
  QVERIFY(Settled());
  const Captions listed{"sub", "zoo", "a.txt", "B.txt", "c.txt"};
  QCOMPARE(ShownCaptions(), listed);

  QLabel *label = title == 3 ? program->Form1->Label3 : title == 4 ? program->Form1->Label4 : program->Form1->Label5;
  Click(program->Form1->Label4); // sorting does not depend on an earlier sort
  Click(label);
  QCOMPARE(ShownCaptions(), sorted);
  Click(label);
  QCOMPARE(ShownCaptions(), sorted);
  Click(program->Form1->PngSpeedButton6);
  QCOMPARE(ShownCaptions(), listed);
}

void TestMainWindow::doubleClickEntersFoldersAndDrives()
{
  const QByteArray odd = "caf\xe9 & \xff";
  QVERIFY(::mkdir(root_ + odd, 0755) == 0);
  QVERIFY(::mkdir(root_ + odd + "/inner", 0755) == 0);
  const auto removeOdd = qScopeGuard([&] { // QDir cannot remove names that are not UTF-8
    ::rmdir(root_ + odd + "/inner");
    ::rmdir(root_ + odd);
  });
  program->Form1->OpenFolder(root_);
  QVERIFY(Settled());
  DoubleClick(0);
  QCOMPARE(program->Form1->CurrentFolder(), root_ + odd + '/');
  Click(program->Form1->PngSpeedButton6);
  QCOMPARE(ShownCaptions(), Captions{"inner"});

  // A caption typed over a drive is only shown: the row still opens the drive.
  Click(program->Form1->PngSpeedButton4);
  const QModelIndex root = program->Form1->ListView1->model()->index(RowOf(QStringLiteral("/")), 0);
  program->Form1->ListView1Edited(root.row(), QStringLiteral("System disk"));
  QCOMPARE(program->Form1->RowCaption(root.row()), QStringLiteral("System disk"));
  DoubleClick(root.row());
  QCOMPARE(program->Form1->CurrentFolder(), QByteArray("/"));
  QVERIFY(program->Form1->FolderShown());
  Click(program->Form1->PngSpeedButton4);
  QVERIFY(RowOf(QStringLiteral("/")) >= 0);
}

// A click on the selected row renames it once the double-click interval has passed, unless a
// double-click came: also when that double-click replaced the listing.
void TestMainWindow::doubleClickOnTheSelectedRowOnlyOpensIt()
{
  QTest::failOnWarning(QRegularExpression(QStringLiteral("^edit: ")));
  QStyleHints *hints = QGuiApplication::styleHints();
  const int interval = hints->mouseDoubleClickInterval();
  const auto restore = qScopeGuard([&] { hints->setMouseDoubleClickInterval(interval); });
  hints->setMouseDoubleClickInterval(1);
  MakeFolder("inner/deeper");
  program->Form1->OpenFolder(root_);
  QVERIFY(Settled());
  QTest::mouseClick(program->Form1->ListView1->viewport(), Qt::LeftButton, {}, RowCentre(0));
  DoubleClick(0);
  QTest::qWait(50);
  QCOMPARE(program->Form1->CurrentFolder(), root_ + "inner/");
}

void TestMainWindow::doubleClickOpensFilesInTheirFolder_data()
{
  QTest::addColumn<QByteArray>("name");
  QTest::addColumn<QDateTime>("modified");
  QTest::newRow("plain") << QByteArray("notes.txt") << QDateTime();
  QTest::newRow("leading dash") << QByteArray("-x") << QDateTime();
  QTest::newRow("option") << QByteArray("--help") << QDateTime();
  QTest::newRow("written in 1975") << QByteArray("old.doc") << QDateTime(QDate(1975, 1, 1), QTime(9, 0));
  QTest::newRow("written in 2200") << QByteArray("new.doc") << QDateTime(QDate(2200, 1, 1), QTime(9, 0));
}

void TestMainWindow::doubleClickOpensFilesInTheirFolder()
{
  QFETCH(QByteArray, name);
  QFETCH(QDateTime, modified);
  test::FakeOpener opener;
  test::WriteFile(root_ + name, "x", modified);
  program->Form1->OpenFolder(root_);
  QVERIFY(Settled());
  Click(program->Form1->Label4); // a sort: opening must leave it as it is

  DoubleClick(0);
  QVERIFY(opener.waitForOpening());
  QCOMPARE(opener.arguments(), QList<QByteArray>{root_ + name});
  QCOMPARE(opener.workingDirectory(), root_.chopped(1));
  QCOMPARE(program->Form1->CurrentFolder(), root_);
  QCOMPARE(program->Form1->SelectedRow(), 0);
}

void TestMainWindow::enterAndBackspaceDoNothing()
{
  test::FakeOpener opener;
  MakeFolder("sub");
  test::WriteFile(root_ + "file.txt");
  program->Form1->OpenFolder(root_);
  QVERIFY(Settled());
  program->Form1->ListView1->setFocus();
  for (int row = 0; row < 2; ++row) {
    QTest::mouseClick(program->Form1->ListView1->viewport(), Qt::LeftButton, {}, RowCentre(row));
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Backspace})
      QTest::keyClick(program->Form1->ListView1, key);
    QCOMPARE(program->Form1->CurrentFolder(), root_);
    QCOMPARE(program->Form1->SelectedRow(), row);
  }
  QVERIFY(!opener.waitForOpening(300));
}

void TestMainWindow::homeShowsTheChosenLocation_data()
{
  QTest::addColumn<int>("homeFolder");
  QTest::addColumn<bool>("driveList");
  QTest::newRow("application folder") << 0 << false;
  QTest::newRow("drive list") << 1 << true;
  QTest::newRow("documents not set: drive list") << 2 << true;
  QTest::newRow("desktop") << 3 << false;
  QTest::newRow("4 or more counts as 3") << 7 << false;
}

void TestMainWindow::homeShowsTheChosenLocation()
{
  QFETCH(int, homeFolder);
  QFETCH(bool, driveList);
  const QByteArray desktop = root_ + "Desktop";
  program->settings.HomeLocations[DesktopFolder] = desktop;
  program->settings.HomeFolder = static_cast<std::uint8_t>(homeFolder);
  program->Form1->OpenFolder(root_);
  QVERIFY(Settled());
  Click(program->Form1->PngSpeedButton5);
  QCOMPARE(program->Form1->FolderShown(), !driveList);
  if (homeFolder >= 3)
    QCOMPARE(program->Form1->CurrentFolder(), desktop + '/');
  else if (homeFolder == 0)
    QCOMPARE(program->Form1->CurrentFolder(), program->settings.HomeLocations[ApplicationFolder]);
}

void TestMainWindow::choosesTheDisplayPlatform_data()
{
  QTest::addColumn<DisplayEnvironment>("environment");
  QTest::addColumn<QByteArray>("platform");
  QTest::newRow("asked for wins") << DisplayEnvironment{"offscreen", "wayland-0", ":0"} << QByteArray("offscreen");
  QTest::newRow("Wayland session") << DisplayEnvironment{{}, "wayland-0", {}} << QByteArray("wayland");
  QTest::newRow("Wayland with XWayland") << DisplayEnvironment{{}, "wayland-0", ":0"} << QByteArray("wayland;xcb");
  QTest::newRow("X11") << DisplayEnvironment{{}, {}, ":0"} << QByteArray("xcb");
  QTest::newRow("no display") << DisplayEnvironment{} << QByteArray();
}

void TestMainWindow::choosesTheDisplayPlatform()
{
  QFETCH(DisplayEnvironment, environment);
  QFETCH(QByteArray, platform);
  QCOMPARE(ChooseDisplayPlatform(environment), platform);
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
