#include <QAbstractItemModel>
#include <QHeaderView>
#include <QLabel>
#include <QTreeView>
#include <QtTest>
#include <memory>
#include <sys/stat.h>

#include "app/windows.h"
#include "settings/app_settings.h"
#include "tests/support/fake_opener.h"
#include "tests/support/test_environment.h"
#include "ui/png_speed_button.h"

using namespace tv;
using Captions = QStringList;

namespace {

int RowCount() { return Form1->ListView1->model()->rowCount(); }

Captions ShownCaptions()
{
  Captions captions;
  for (int row = 0; row < RowCount(); ++row)
    captions.append(Form1->RowCaption(row));
  return captions;
}

QPoint RowCentre(int row) { return Form1->ListView1->visualRect(Form1->ListView1->model()->index(row, 0)).center(); }

int RowOf(const QString &caption) { return ShownCaptions().indexOf(caption); }

void DoubleClick(int row)
{
  QTest::mouseClick(Form1->ListView1->viewport(), Qt::LeftButton, {}, RowCentre(row));
  QTest::mouseDClick(Form1->ListView1->viewport(), Qt::LeftButton, {}, RowCentre(row));
}

void Click(QWidget *widget) { QTest::mouseClick(widget, Qt::LeftButton); }

} // namespace

class TestMainWindow : public QObject {
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
  void titlesTheDriveList_data();
  void titlesTheDriveList();
  void upClimbsToTheDriveList();
  void upLeavesAFolderThatNoLongerExists();
  void refreshShowsAFolderRemovedWhileShown();
  void clickingATitleSortsUntilRefresh_data();
  void clickingATitleSortsUntilRefresh();
  void doubleClickEntersFoldersAndDrives();
  void doubleClickOpensFilesInTheirFolder_data();
  void doubleClickOpensFilesInTheirFolder();
  void enterAndBackspaceDoNothing();
  void homeShowsTheChosenLocation_data();
  void homeShowsTheChosenLocation();

private:
  // One home for the whole run: QSettings keeps the first configuration folder it sees.
  std::unique_ptr<test::TestEnvironment> environment_;
  QByteArray rootName_;
  QByteArray root_; // a fresh folder of the temporary home for each test, ending in "/"
  int tests_ = 0;

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
  CreateWindows();
  Form1->show();
  QVERIFY(QTest::qWaitForWindowExposed(Form1));
  rootName_ = "root" + QByteArray::number(++tests_);
  root_ = environment_->makeFolder(rootName_);
}

void TestMainWindow::cleanup()
{
  delete Form1;
  Form1 = nullptr;
}

void TestMainWindow::exitClosesTheWindow()
{
  Click(Form1->PngSpeedButton1);
  QVERIFY(!Form1->isVisible());
}

void TestMainWindow::showsTheFolderAfterTheTitle()
{
  MakeFolder("sub");
  test::WriteFile(root_ + "b.txt");
  test::WriteFile(root_ + "a & b.txt");
  Form1->OpenFolder(root_ + "/.");
  Form1->OpenFolder(root_ + "/sub//..");
  QCOMPARE(Form1->CurrentFolder(), root_ + "sub/../"); // "/sub//.." as the path text gives it
  Form1->OpenFolder(root_.chopped(1));

  QCOMPARE(Form1->CurrentFolder(), root_);
  QCOMPARE(Form1->Label1->text(), QLatin1Char(' ') + QString::fromUtf8(root_));
  QCOMPARE(Form1->Label1->x(), Form1->Label2->x() + Form1->Label2->width());
  QVERIFY(Form1->FolderShown());
  QCOMPARE(ShownCaptions(), (Captions{"sub", "a & b.txt", "b.txt"}));
  QCOMPARE(Form1->RowImage(0), int(ui::ListImage::Folder));
  QCOMPARE(Form1->RowImage(1), int(ui::ListImage::File));
  QCOMPARE((QStringList{Form1->Label3->text(), Form1->Label4->text(), Form1->Label5->text()}),
           (QStringList{"Filename", "Size", "Last modified"}));
  const QHeaderView *header = Form1->ListView1->header();
  QCOMPARE((QList<int>{header->sectionSize(0), header->sectionSize(1), header->sectionSize(2)}),
           (QList<int>{540, 100, 140}));
}

void TestMainWindow::cutsALongPathAt737Pixels()
{
  const QByteArray deep = MakeFolder(QByteArray(200, 'x') + '/' + QByteArray(200, 'y'));
  Form1->OpenFolder(deep);
  QVERIFY(Form1->Label1->sizeHint().width() > 737);
  QCOMPARE(Form1->Label1->width(), 737);
  Form1->OpenFolder(root_);
  QVERIFY(Form1->Label1->width() < 737);
  QCOMPARE(Form1->Label1->width(), Form1->Label1->sizeHint().width());
}

void TestMainWindow::showsTheMessageRowForAMissingFolder()
{
  Form1->OpenFolder(root_ + "missing");
  QCOMPARE(ShownCaptions(), Captions{"This folder doesn't exist!"});
  QCOMPARE(Form1->RowImage(0), int(ui::ListImage::None));
  QCOMPARE(Form1->RowName(0), QByteArray());
  QVERIFY(Form1->FolderShown());
  QCOMPARE(Form1->Label1->text(), QLatin1Char(' ') + QString::fromUtf8(root_ + "missing/"));

  Form1->OpenFolder({});
  QVERIFY(!Form1->FolderShown());
  Form1->OpenFolder(root_);
  QVERIFY(Form1->FolderShown());
  QCOMPARE(RowCount(), 0);
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
  IsEnglish = english;
  Click(Form1->PngSpeedButton4);
  IsEnglish = true;

  QCOMPARE(Form1->Label1->text(), title);
  QVERIFY(Form1->Label5->isHidden());
  QVERIFY(Form1->Label4->isVisible());
  const Captions drives = ShownCaptions();
  QVERIFY(drives.contains(QStringLiteral("/")));
  for (int row = 0; row < RowCount(); ++row) {
    QVERIFY(drives[row].endsWith(QLatin1Char('/')));
    QCOMPARE(Form1->RowImage(row), int(ui::ListImage::Drive));
  }
  Click(Form1->PngSpeedButton2); // Up does nothing here
  QCOMPARE(ShownCaptions(), drives);
  QVERIFY(!Form1->FolderShown());
}

void TestMainWindow::upClimbsToTheDriveList()
{
  Form1->OpenFolder(MakeFolder("a/b"));
  Click(Form1->PngSpeedButton2);
  QCOMPARE(Form1->CurrentFolder(), root_ + "a/");
  QCOMPARE(ShownCaptions(), Captions{"b"});
  Click(Form1->PngSpeedButton2);
  QCOMPARE(Form1->CurrentFolder(), root_);

  QByteArray last;
  for (int step = 0; step < root_.count('/') && Form1->FolderShown(); ++step) {
    last = Form1->CurrentFolder();
    Click(Form1->PngSpeedButton2);
  }
  QCOMPARE(last, QByteArray("/"));
  QVERIFY(!Form1->FolderShown());
}

void TestMainWindow::upLeavesAFolderThatNoLongerExists()
{
  MakeFolder("kept");
  Form1->OpenFolder(root_ + "gone/deeper");
  QCOMPARE(RowCount(), 1);
  Click(Form1->PngSpeedButton2);
  QCOMPARE(Form1->CurrentFolder(), root_ + "gone/");
  QCOMPARE(Form1->RowImage(0), int(ui::ListImage::None));
  Click(Form1->PngSpeedButton2);
  QCOMPARE(ShownCaptions(), Captions{"kept"});
}

void TestMainWindow::refreshShowsAFolderRemovedWhileShown()
{
  const QByteArray folder = MakeFolder("brief");
  Form1->OpenFolder(folder);
  QCOMPARE(RowCount(), 0);
  QVERIFY(QDir(QFile::decodeName(folder)).removeRecursively());
  Click(Form1->PngSpeedButton6);
  QCOMPARE(ShownCaptions(), Captions{"This folder doesn't exist!"});
  QCOMPARE(Form1->CurrentFolder(), folder);
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
  Form1->OpenFolder(root_);
  const Captions listed{"sub", "zoo", "a.txt", "B.txt", "c.txt"};
  QCOMPARE(ShownCaptions(), listed);

  QLabel *label = title == 3 ? Form1->Label3 : title == 4 ? Form1->Label4 : Form1->Label5;
  Click(Form1->Label4); // sorting does not depend on an earlier sort
  Click(label);
  QCOMPARE(ShownCaptions(), sorted);
  Click(label);
  QCOMPARE(ShownCaptions(), sorted);
  Click(Form1->PngSpeedButton6);
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
  Form1->OpenFolder(root_);
  DoubleClick(0);
  QCOMPARE(Form1->CurrentFolder(), root_ + odd + '/');
  Click(Form1->PngSpeedButton6);
  QCOMPARE(ShownCaptions(), Captions{"inner"});

  // A caption typed over a drive is only shown: the row still opens the drive.
  Click(Form1->PngSpeedButton4);
  const QModelIndex root = Form1->ListView1->model()->index(RowOf(QStringLiteral("/")), 0);
  Form1->ListView1Edited(root.row(), QStringLiteral("System disk"));
  QCOMPARE(Form1->RowCaption(root.row()), QStringLiteral("System disk"));
  DoubleClick(root.row());
  QCOMPARE(Form1->CurrentFolder(), QByteArray("/"));
  QVERIFY(Form1->FolderShown());
  Click(Form1->PngSpeedButton4);
  QVERIFY(RowOf(QStringLiteral("/")) >= 0);
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
  Form1->OpenFolder(root_);
  Click(Form1->Label4); // a sort: opening must leave it as it is

  DoubleClick(0);
  QVERIFY(opener.waitForOpening());
  QCOMPARE(opener.arguments(), QList<QByteArray>{root_ + name});
  QCOMPARE(opener.workingDirectory(), root_.chopped(1));
  QCOMPARE(Form1->CurrentFolder(), root_);
  QCOMPARE(Form1->SelectedRow(), 0);
}

void TestMainWindow::enterAndBackspaceDoNothing()
{
  test::FakeOpener opener;
  MakeFolder("sub");
  test::WriteFile(root_ + "file.txt");
  Form1->OpenFolder(root_);
  Form1->ListView1->setFocus();
  for (int row = 0; row < 2; ++row) {
    QTest::mouseClick(Form1->ListView1->viewport(), Qt::LeftButton, {}, RowCentre(row));
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Backspace})
      QTest::keyClick(Form1->ListView1, key);
    QCOMPARE(Form1->CurrentFolder(), root_);
    QCOMPARE(Form1->SelectedRow(), row);
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
  HomeLocations[DesktopFolder] = desktop;
  HomeFolder = static_cast<std::uint8_t>(homeFolder);
  Form1->OpenFolder(root_);
  Click(Form1->PngSpeedButton5);
  HomeFolder = 0;
  QCOMPARE(Form1->FolderShown(), !driveList);
  if (homeFolder >= 3)
    QCOMPARE(Form1->CurrentFolder(), desktop + '/');
  else if (homeFolder == 0)
    QCOMPARE(Form1->CurrentFolder(), HomeLocations[ApplicationFolder]);
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
