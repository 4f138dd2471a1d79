#include <QMimeData>
#include <QtTest>
#include <climits>
#include <sys/stat.h>
#include <unistd.h>

#include "ops/drop.h"
#include "tests/support/file_test_support.h"

using namespace tv;
using namespace tv::test;

namespace {

} // namespace

class TestDrop : public QObject {
  Q_OBJECT
private slots:
  void droppedLocalPaths_data();
  void droppedLocalPaths();
  void dropCopiesOnlyRegularFilesUnderFreeNames_data();
  void dropCopiesOnlyRegularFilesUnderFreeNames();
  void filesAreCopiedInTheOrderGiven();
  void thousandFiles();
  void unreadableSourceIsSkippedAndTheOthersCopied();
  void readOnlyFolderGetsNothing();
  void sparseFileOverAGigabyte();
  void longestPaths();
};

void TestDrop::droppedLocalPaths_data()
{
  QTest::addColumn<QByteArray>("uriList");
  QTest::addColumn<QList<QByteArray>>("paths");
  QTest::addRow("space") << QByteArray("file:///tmp/a%20b.txt\r\n") << QList<QByteArray>{"/tmp/a b.txt"};
  QTest::addRow("UTF-8") << QByteArray("file:///tmp/r%C3%A9sum%C3%A9\r\n") << QList<QByteArray>{"/tmp/résumé"};
  QTest::addRow("not UTF-8") << QByteArray("file:///tmp/%FF%FE.bin\r\n") << QList<QByteArray>{"/tmp/\xff\xfe.bin"};
  QTest::newRow("#, ? and %") << QByteArray("file:///tmp/a%23b%3Fc%25\r\n") << QList<QByteArray>{"/tmp/a#b?c%"};
  QTest::addRow("newline") << QByteArray("file:///tmp/two%0Alines\r\n") << QList<QByteArray>{"/tmp/two\nlines"};
  QTest::addRow("localhost") << QByteArray("file://localhost/tmp/x\r\n") << QList<QByteArray>{"/tmp/x"};
  QTest::addRow("other host, other scheme")
      << QByteArray("file://server/tmp/x\r\nhttps://example.com/y\r\nsmb://server/z\r\n") << QList<QByteArray>{};
  QTest::addRow("order kept, comments skipped")
      << QByteArray("# from a file manager\r\nfile:///b\r\nfile:///a\r\nfile:///c/\r\n")
      << QList<QByteArray>{"/b", "/a", "/c/"};
}

void TestDrop::droppedLocalPaths()
{
  QFETCH(QByteArray, uriList);
  QFETCH(QList<QByteArray>, paths);
  QMimeData data;
  data.setData(QStringLiteral("text/uri-list"), uriList);
  QCOMPARE(ops::DroppedLocalPaths(data), paths);
}

void TestDrop::dropCopiesOnlyRegularFilesUnderFreeNames_data()
{
  QTest::addColumn<QByteArray>("source");
  QTest::addColumn<QByteArray>("copiedAs");
  QTest::addRow("new name") << QByteArray("from/new.txt") << QByteArray("new.txt");
  QTest::addRow("taken name") << QByteArray("from/report.txt") << QByteArray("report (2).txt");
  QTest::addRow("second number taken too") << QByteArray("from/both.txt") << QByteArray("both (3).txt");
  QTest::addRow("taken by a folder") << QByteArray("from/taken.txt") << QByteArray("taken (2).txt");
  QTest::addRow("taken by a broken link") << QByteArray("from/dangling") << QByteArray("dangling (2)");
  QTest::addRow("hidden file") << QByteArray("from/.hidden") << QByteArray(".hidden (2)");
  QTest::addRow("not UTF-8") << QByteArray("from/\xff\xfe") << QByteArray("\xff\xfe");
  QTest::addRow("newline, leading dash") << QByteArray("from/-a\nb") << QByteArray("-a\nb");
  QTest::addRow("link to a file, copied as the file") << QByteArray("from/link") << QByteArray("link");
  QTest::addRow("link to a pipe skipped") << QByteArray("from/link-to-pipe") << QByteArray();
  QTest::addRow("folder skipped") << QByteArray("from/folder") << QByteArray();
  QTest::addRow("folder with a slash skipped") << QByteArray("from/folder/") << QByteArray();
  QTest::addRow("pipe skipped, without waiting") << QByteArray("from/pipe") << QByteArray();
  QTest::addRow("socket skipped") << QByteArray("from/socket") << QByteArray();
  QTest::addRow("device skipped") << QByteArray("/dev/null") << QByteArray();
  QTest::addRow("vanished skipped") << QByteArray("from/missing") << QByteArray();
  QTest::addRow("broken link skipped") << QByteArray("from/broken") << QByteArray();
  QTest::addRow("file of the folder itself left alone") << QByteArray("shown/report.txt") << QByteArray();
  QTest::addRow("same folder by a link left alone") << QByteArray("shown-link/report.txt") << QByteArray();
  QTest::addRow("NUL in a dropped name") << QByteArray("from/new.txt\0x", 15) << QByteArray();
}

void TestDrop::dropCopiesOnlyRegularFilesUnderFreeNames()
{
  QFETCH(QByteArray, source);
  QFETCH(QByteArray, copiedAs);
  FileTestEnvironment environment;
  const QByteArray shown = environment.makeFolder("shown");
  const QByteArray from = environment.makeFolder("from");
  for (const QByteArray name : {"report.txt", "both.txt", "both (2).txt", ".hidden"})
    MakeFile(shown + name, "old");
  MakeFolder(shown + "taken.txt");
  QVERIFY(::symlink("nowhere", (shown + "dangling").constData()) == 0);
  for (const QByteArray name :
       {"new.txt", "report.txt", "both.txt", "taken.txt", "dangling", ".hidden", "\xff\xfe", "-a\nb", "target"})
    MakeFile(from + name, "dropped " + name, 0640);
  QVERIFY(::symlink("target", (from + "link").constData()) == 0);
  MakeEntriesThatAreNotFiles(from);
  QVERIFY(::symlink("shown", (environment.home() + "/shown-link").constData()) == 0);
  const QList<QByteArray> before = Names(shown);
  const auto outside = Snapshot(environment.home(), {shown.chopped(1)});
  const QByteArray path = source.startsWith('/') ? source : environment.home() + '/' + source;

  ops::CopyDroppedFiles(shown, {path});

  QList<QByteArray> expected = before;
  if (!copiedAs.isEmpty())
    expected.append(copiedAs);
  std::sort(expected.begin(), expected.end());
  QCOMPARE(Names(shown), expected);
  QCOMPARE(Snapshot(environment.home(), {shown.chopped(1)}), outside);
  if (copiedAs.isEmpty())
    return;
  QCOMPARE(ReadFile(shown + copiedAs), ReadFile(path));
  const struct stat copy = StatOf(shown + copiedAs);
  QVERIFY(S_ISREG(copy.st_mode));
  QCOMPARE(int(copy.st_mode & 07777), 0640);
  // The file dropped, or what its link leads to: its sources were made in different seconds.
  struct stat original {};
  QCOMPARE(::stat(path.constData(), &original), 0);
  QCOMPARE(copy.st_mtim.tv_sec, original.st_mtim.tv_sec);
  QCOMPARE(copy.st_mtim.tv_nsec, original.st_mtim.tv_nsec);
}

void TestDrop::filesAreCopiedInTheOrderGiven()
{
  FileTestEnvironment environment;
  const QByteArray shown = environment.makeFolder("shown");
  QList<QByteArray> dropped;
  for (const QByteArray folder : {"third", "first", "second"}) {
    MakeFile(environment.makeFolder(folder) + "a.txt", folder);
    dropped.append(environment.home() + '/' + folder + "/a.txt");
  }

  ops::CopyDroppedFiles(shown, dropped);

  QCOMPARE(ReadFile(shown + "a.txt"), QByteArray("third"));
  QCOMPARE(ReadFile(shown + "a (2).txt"), QByteArray("first"));
  QCOMPARE(ReadFile(shown + "a (3).txt"), QByteArray("second"));
  QCOMPARE(Names(shown).size(), 3);
}

void TestDrop::thousandFiles()
{
  FileTestEnvironment environment;
  const QByteArray shown = environment.makeFolder("shown");
  const QByteArray from = environment.makeFolder("from");
  QList<QByteArray> dropped;
  for (int number = 0; number < 1000; ++number) {
    const QByteArray name = "file " + QByteArray::number(number) + ".dat";
    MakeFile(from + name, name);
    dropped.append(from + name);
  }
  const auto sources = Snapshot(from.chopped(1));

  ops::CopyDroppedFiles(shown, dropped);

  QCOMPARE(Names(shown), Names(from));
  for (const QByteArray &name : Names(shown))
    QCOMPARE(ReadFile(shown + name), name);
  QCOMPARE(Snapshot(from.chopped(1)), sources);
}

void TestDrop::unreadableSourceIsSkippedAndTheOthersCopied()
{
  FileTestEnvironment environment;
  OpenForPassage(environment.home());
  const QByteArray shown = environment.makeFolder("shown");
  const QByteArray closed = environment.makeFolder("closed");
  const QByteArray open = environment.makeFolder("open");
  MakeFile(closed + "secret.txt", "S");
  // Closed to the owner too, so that the case holds when the tests do not run as root.
  MakeFile(open + "unreadable.txt", "U", 0000);
  MakeFile(open + "public.txt", "P");
  HandOver(shown);
  QVERIFY(::chmod(closed.constData(), 0000) == 0);
  const auto outside = Snapshot(environment.home(), {shown.chopped(1)});

  const int status = RunRestricted([&] {
    ops::CopyDroppedFiles(shown, {closed + "secret.txt", open + "unreadable.txt", open + "public.txt"});
    return 0;
  });

  QCOMPARE(status, 0);
  QCOMPARE(Names(shown), QList<QByteArray>{"public.txt"});
  QCOMPARE(Snapshot(environment.home(), {shown.chopped(1)}), outside);
}

void TestDrop::readOnlyFolderGetsNothing()
{
  FileTestEnvironment environment;
  OpenForPassage(environment.home());
  const QByteArray shown = environment.makeFolder("shown");
  const QByteArray from = environment.makeFolder("from");
  MakeFile(from + "a.txt", "A");
  QVERIFY(::chmod(shown.constData(), 0555) == 0);
  const auto before = Snapshot(environment.home());

  QCOMPARE(RunRestricted([&] {
             ops::CopyDroppedFiles(shown, {from + "a.txt"});
             return 0;
           }),
           0);

  QCOMPARE(Snapshot(environment.home()), before);
}

void TestDrop::sparseFileOverAGigabyte()
{
  FileTestEnvironment environment;
  const QByteArray shown = environment.makeFolder("shown");
  const QByteArray source = environment.makeFolder("from") + "disk.img";
  MakeFile(source, "header");
  const off_t size = (off_t(1) << 30) + 12345;
  QVERIFY(::truncate(source.constData(), size) == 0);

  ops::CopyDroppedFiles(shown, {source});

  QCOMPARE(StatOf(shown + "disk.img").st_size, size);
  QCOMPARE(Names(shown), QList<QByteArray>{"disk.img"});
}

void TestDrop::longestPaths()
{
  FileTestEnvironment environment;
  const QByteArray shown = MakeDeepFolder(environment.makeFolder("shown"), 3700);
  const QByteArray from = MakeDeepFolder(environment.makeFolder("from"), 3800);
  const QByteArray name = QByteArray(253, 'n');
  MakeFile(from + name, "deep");
  MakeFile(shown + name, "taken");
  QVERIFY(from.size() + name.size() > 4000 && from.size() + name.size() < PATH_MAX);

  ops::CopyDroppedFiles(shown, {from + name});

  const QByteArray copy = QByteArray(251, 'n') + " (2)";
  QCOMPARE(Names(shown), (QList<QByteArray>{copy, name}));
  QCOMPARE(ReadFile(shown + copy), QByteArray("deep"));
}

QTEST_GUILESS_MAIN(TestDrop)
#include "test_drop.moc"
