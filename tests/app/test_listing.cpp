#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

#include "ops/listing.h"
#include "ops/row_texts.h"
#include "platform/file_queries.h"
#include "tests/support/restricted_run.h"
#include "tests/support/test_environment.h"

using namespace tv;
using platform::EntryKind;
using Names = QList<QByteArray>;

namespace {

struct FakeEntry {
  QByteArray name;
  EntryKind kind = EntryKind::File;
  qint64 size = 0;
  qint64 modified = 0;
};

platform::DirectoryContents Contents(const QList<FakeEntry> &fakes)
{
  platform::DirectoryContents contents;
  contents.state = platform::FolderState::Listed;
  for (const FakeEntry &fake : fakes) {
    contents.entries.push_back(
        {quint32(contents.names.size()), quint16(fake.name.size()), fake.kind, fake.size, fake.modified});
    contents.names.append(fake.name);
  }
  return contents;
}

QCollator English() { return NameCollator(QLocale(QStringLiteral("en_US"))); }

Names NamesOf(const RowTable &rows, const std::vector<int> &order = {})
{
  Names names;
  for (int i = 0; i < rows.Count(); ++i)
    names.append(rows.Name(order.empty() ? i : order[size_t(i)]).toByteArray());
  return names;
}

qint64 Local(int year, int month, int day, int hour)
{
  return QDateTime(QDate(year, month, day), QTime(hour, 0), Qt::LocalTime).toSecsSinceEpoch();
}

// A folder with sub-folders and files of known sizes and times, in no particular order.
RowTable MixedFolder()
{
  return BuildFolderRows(Contents({
                             {"b.txt", EntryKind::File, 10, Local(2001, 1, 1, 12)},
                             {"Zeta", EntryKind::Folder},
                             {"A.txt", EntryKind::File, 2048, Local(2003, 1, 1, 12)},
                             {"alpha", EntryKind::Folder},
                             {"c.txt", EntryKind::File, 1048576, Local(1999, 1, 1, 12)},
                         }),
                         false, true, English());
}

} // namespace

class TestListing : public QObject {
  Q_OBJECT
private slots:
  void initTestCase();
  void listsFoldersThenFilesInTheLocalesOrder();
  void ordersNamesTheCollatorFindsEqualByBytes();
  void ordersByCodePointsInTheCLocale();
  void hidesNamesBeginningWithADot_data();
  void hidesNamesBeginningWithADot();
  void listsARealFolder();
  void showsTheMessageRowForAMissingFolder_data();
  void showsTheMessageRowForAMissingFolder();
  void listsNothingForAnUnreadableFolder();
  void listsByNameAloneAFolderItMayReadButNotSearch();
  void derivesTheKeysOfEachKindOfRow();
  void listsDrivesWithTheirSpace();
  void sortsByEachTitle_data();
  void sortsByEachTitle();
  void sortsSizesByValue();
  void sortsTimesByValueBeforeTheZeroDate();
};

void TestListing::initTestCase() { qputenv("TZ", "UTC"); }

void TestListing::listsFoldersThenFilesInTheLocalesOrder()
{
  const RowTable rows = MixedFolder();
  QCOMPARE(NamesOf(rows), (Names{"alpha", "Zeta", "A.txt", "b.txt", "c.txt"}));
  QCOMPARE(rows.At(0).kind, ops::RowKind::Folder);
  QCOMPARE(rows.At(2).kind, ops::RowKind::File);
}

void TestListing::ordersNamesTheCollatorFindsEqualByBytes()
{
  const RowTable rows = BuildFolderRows(Contents({{"b"}, {"a"}, {"B"}, {"A"}}), false, true, English());
  QCOMPARE(NamesOf(rows), (Names{"A", "a", "B", "b"}));
}

void TestListing::ordersByCodePointsInTheCLocale()
{
  // Qt's C-locale collator compares code points; case is still ignored.
  const RowTable rows = BuildFolderRows(Contents({{"beta"}, {"Alpha"}, {"_x"}, {"\xc3\xa9t\xc3\xa9"}, {"Gamma"}}),
                                        false, true, NameCollator(QLocale::c()));
  QCOMPARE(NamesOf(rows), (Names{"_x", "Alpha", "beta", "Gamma", "\xc3\xa9t\xc3\xa9"}));
}

void TestListing::hidesNamesBeginningWithADot_data()
{
  QTest::addColumn<bool>("showHidden");
  QTest::addColumn<Names>("listed");
  QTest::newRow("hidden off") << false << Names{"folder", "file"};
  QTest::newRow("hidden on: files only") << true << Names{"folder", ".file", "file"};
}

void TestListing::hidesNamesBeginningWithADot()
{
  QFETCH(bool, showHidden);
  QFETCH(Names, listed);
  const platform::DirectoryContents contents =
      Contents({{"file"}, {".file"}, {"folder", EntryKind::Folder}, {".folder", EntryKind::Folder}});
  QCOMPARE(NamesOf(BuildFolderRows(contents, showHidden, true, English())), listed);
}

void TestListing::listsARealFolder()
{
  const QTemporaryDir dir;
  const QByteArray folder = QFile::encodeName(dir.path()) + '/';
  QVERIFY(::mkdir(folder + "docs", 0755) == 0);
  QVERIFY(::mkdir(folder + ".config", 0755) == 0);
  test::WriteFile(folder + "Report.DOCX", "12345");
  test::WriteFile(folder + "budget.xls");
  test::WriteFile(folder + "old.txt", {}, QDateTime(QDate(1975, 6, 1), QTime(12, 0), Qt::UTC));
  test::WriteFile(folder + "future.txt", {}, QDateTime(QDate(2200, 1, 1), QTime(12, 0), Qt::UTC));
  QVERIFY(::symlink("docs", folder + "link-to-docs") == 0);
  QVERIFY(::symlink("nowhere", folder + "broken") == 0);
  QVERIFY(::mkfifo(folder + "pipe", 0644) == 0);

  const RowTable rows = BuildFolderRows(platform::ReadDirectory(folder), false, true, English());
  QCOMPARE(NamesOf(rows),
           (Names{"docs", "link-to-docs", "broken", "budget.xls", "future.txt", "old.txt", "pipe", "Report.DOCX"}));
  const RowTextFormat format(QLocale(QStringLiteral("en_US")), true);
  QCOMPARE(format.SizeText(rows, 7), QStringLiteral("5 bytes"));
  QCOMPARE(rows.At(7).image, ops::ListImage::Word);
  QCOMPARE(rows.At(3).image, ops::ListImage::Excel);
  QCOMPARE(format.TimeText(rows.At(5).modified), QStringLiteral("6/1/75 12:00:00 PM"));
  QCOMPARE(format.TimeText(rows.At(4).modified), QStringLiteral("1/1/00 12:00:00 PM"));
}

void TestListing::showsTheMessageRowForAMissingFolder_data()
{
  QTest::addColumn<bool>("english");
  QTest::addColumn<QString>("message");
  QTest::newRow("English") << true << "This folder doesn't exist!";
  QTest::newRow("second language") << false << "文件夹不存在！";
}

void TestListing::showsTheMessageRowForAMissingFolder()
{
  QFETCH(bool, english);
  QFETCH(QString, message);
  const RowTable rows =
      BuildFolderRows(platform::ReadDirectory("/tarnview-no-such-folder/"), false, english, English());
  QCOMPARE(rows.Count(), 1);
  QCOMPARE(rows.At(0).kind, ops::RowKind::Message);
  const RowTextFormat format(QLocale(QStringLiteral("en_US")), english);
  QCOMPARE(format.Caption(rows, 0), message);
  QCOMPARE(format.SizeText(rows, 0), QString());
  QCOMPARE(format.SizeKey(rows, 0), QString());
}

void TestListing::listsNothingForAnUnreadableFolder()
{
  platform::DirectoryContents contents;
  contents.state = platform::FolderState::Unreadable;
  QCOMPARE(BuildFolderRows(contents, true, true, English()).Count(), 0);
}

void TestListing::listsByNameAloneAFolderItMayReadButNotSearch()
{
  const QTemporaryDir dir;
  QVERIFY(::chmod(QFile::encodeName(dir.path()), 0755) == 0);
  const QByteArray folder = QFile::encodeName(dir.path()) + "/unsearchable/";
  QVERIFY(::mkdir(folder, 0755) == 0);
  QVERIFY(::mkdir(folder + "sub", 0755) == 0);
  test::WriteFile(folder + "notes.txt", "hello");
  QVERIFY(::symlink("sub", folder + "link") == 0);
  QVERIFY(::chmod(folder, 0444) == 0);

  // Each finding that fails sets its own bit, so that the report tells which.
  const int faults = test::RunRestricted([&] {
    const RowTable rows = BuildFolderRows(platform::ReadDirectory(folder), false, true, English());
    const RowTextFormat format(QLocale(QStringLiteral("en_US")), true);
    int found = NamesOf(rows) == Names{"sub", "link", "notes.txt"} && rows.At(0).kind == ops::RowKind::Folder ? 0 : 1;
    for (int row = 1; row < rows.Count(); ++row) {
      const QStringList texts{format.SizeText(rows, row), format.DetailText(rows, row), format.SizeKey(rows, row),
                              format.TimeKey(rows, row)};
      if (texts != QStringList{{}, {}, {}, {}})
        found |= 2;
    }
    if (platform::ReadDirectory(folder + "sub").state != platform::FolderState::Unreadable)
      found |= 4;
    return found;
  });
  if (faults < 0)
    QSKIP("running as root and there is no user \"nobody\" to read as");
  QCOMPARE(faults, 0);
}

void TestListing::derivesTheKeysOfEachKindOfRow()
{
  const RowTable files =
      BuildFolderRows(Contents({{"sub", EntryKind::Folder}, {"a.txt", EntryKind::File, 1536, Local(2008, 1, 1, 13)}}),
                      false, true, English());
  const RowTable drives = BuildDriveRows({{"/", {true, 2000, 500}}});
  const RowTextFormat format(QLocale(QStringLiteral("de_DE")), true);
  const auto keys = [&](const RowTable &rows, int row) {
    return QStringList{format.SizeKey(rows, row), format.NameKey(rows, row), format.TimeKey(rows, row)};
  };
  QCOMPARE(keys(files, 0), (QStringList{{}, {}, {}}));
  QCOMPARE(keys(files, 1), (QStringList{"000000001536", "a.txt", "000000039448,54166667"}));
  QCOMPARE(keys(drives, 0), (QStringList{"000000002000", "/", {}}));
}

void TestListing::listsDrivesWithTheirSpace()
{
  const RowTable rows = BuildDriveRows({{"/", {true, 4 * 1024 * qint64(1024 * 1024), 1024 * qint64(1024 * 1024)}},
                                        {"/home", {false, -1, -1}},
                                        {"/media/usb stick", {true, 1000, 0}}});
  const RowTextFormat format(QLocale(QStringLiteral("en_US")), true);
  QCOMPARE(NamesOf(rows), (Names{"/", "/home/", "/media/usb stick/"}));
  QCOMPARE(rows.At(0).kind, ops::RowKind::Drive);
  QCOMPARE(format.SizeText(rows, 0), QStringLiteral("4 GB"));
  QCOMPARE(format.DetailText(rows, 0), QStringLiteral("1 GB free (25%)"));
  QCOMPARE(format.SizeText(rows, 1), QString());
  QCOMPARE(format.DetailText(rows, 1), QString());
  QCOMPARE(format.SizeKey(rows, 1), QStringLiteral("-000000000001"));
  QCOMPARE(format.DetailText(rows, 2), QStringLiteral("0 bytes free (0%)"));
}

void TestListing::sortsByEachTitle_data()
{
  QTest::addColumn<SortKey>("key");
  QTest::addColumn<Names>("sorted");
  QTest::newRow("Filename") << SortKey::Name << Names{"alpha", "Zeta", "A.txt", "b.txt", "c.txt"};
  QTest::newRow("Size") << SortKey::Size << Names{"alpha", "Zeta", "b.txt", "A.txt", "c.txt"};
  QTest::newRow("Last modified") << SortKey::Time << Names{"alpha", "Zeta", "c.txt", "b.txt", "A.txt"};
}

void TestListing::sortsByEachTitle()
{
  QFETCH(SortKey, key);
  QFETCH(Names, sorted);
  RowTable rows = MixedFolder();
  rows.Reorder(SortOrder(rows, SortKey::Time, English())); // no sort depends on the order before it
  const std::vector<int> order = SortOrder(rows, key, English());
  QCOMPARE(NamesOf(rows, order), sorted);
  rows.Reorder(order);
  QCOMPARE(NamesOf(rows, SortOrder(rows, key, English())), sorted); // a second click: the same, never descending
}

void TestListing::sortsSizesByValue()
{
  const RowTable drives = BuildDriveRows(
      {{"/big", {true, 2'000'000'000'000, 0}}, {"/dead", {false, -1, -1}}, {"/small", {true, 500'000'000'000, 0}}});
  QCOMPARE(NamesOf(drives, SortOrder(drives, SortKey::Size, English())), (Names{"/dead/", "/small/", "/big/"}));
  QCOMPARE(NamesOf(drives, SortOrder(drives, SortKey::Name, English())), (Names{"/big/", "/dead/", "/small/"}));
}

void TestListing::sortsTimesByValueBeforeTheZeroDate()
{
  // Day numbers before 1899-12-30 grow more negative into the past, so their key texts
  // would put 28 December after 29 December.
  const RowTable rows = BuildFolderRows(Contents({{"a", EntryKind::File, 0, Local(1899, 12, 29, 12)},
                                                  {"b", EntryKind::File, 0, Local(1899, 12, 28, 12)},
                                                  {"c", EntryKind::File, 0, Local(1980, 1, 1, 0)}}),
                                        false, true, English());
  QCOMPARE(NamesOf(rows, SortOrder(rows, SortKey::Time, English())), (Names{"b", "a", "c"}));
}

QTEST_GUILESS_MAIN(TestListing)
#include "test_listing.moc"
