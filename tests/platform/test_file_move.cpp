#include <QtTest>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_move.h"
#include "tests/support/file_test_support.h"
#include "tests/support/test_environment.h"

using namespace tv;
using namespace tv::test;

namespace {

using Move = platform::Result (*)(const QByteArray &, const QByteArray &);

ino_t InodeOf(const QByteArray &path)
{
  struct stat info {};
  return ::lstat(path.constData(), &info) == 0 ? info.st_ino : 0;
}

void AddForBothWays(const char *name, const QByteArray &from, const QByteArray &to, int error)
{
  QTest::addRow("%s", name) << &platform::MoveWithoutReplacing << from << to << error;
  QTest::addRow("%s, by link or checked rename", name) << &platform::MoveByLinkOrCheckedRename << from << to << error;
}

// a.txt, b.txt, a folder with a file in it, an empty folder, a name that is not UTF-8 and a
// link to a.txt.
QByteArray MakeEntries(const FileTestEnvironment &environment)
{
  const QByteArray folder = environment.makeFolder("shown");
  MakeFile(folder + "a.txt", "A");
  MakeFile(folder + "b.txt", "B");
  MakeFolder(folder + "dir");
  MakeFile(folder + "dir/inner", "I");
  MakeFolder(folder + "empty");
  MakeFile(folder + "\xff\xfe", "X");
  ::symlink("a.txt", (folder + "link").constData());
  return folder;
}

} // namespace

class TestFileMove : public QObject {
  Q_OBJECT
private slots:
  void movesWithoutReplacing_data();
  void movesWithoutReplacing();
  void readOnlyFolderRefusesTheMove_data();
  void readOnlyFolderRefusesTheMove();
};

void TestFileMove::movesWithoutReplacing_data()
{
  QTest::addColumn<Move>("move");
  QTest::addColumn<QByteArray>("from");
  QTest::addColumn<QByteArray>("to");
  QTest::addColumn<int>("error");
  AddForBothWays("file to a free name", "a.txt", "c.txt", 0);
  AddForBothWays("file onto a file", "a.txt", "b.txt", EEXIST);
  AddForBothWays("file onto a folder", "a.txt", "dir", EEXIST);
  AddForBothWays("file onto an empty folder", "a.txt", "empty", EEXIST);
  AddForBothWays("folder to a free name", "dir", "moved", 0);
  AddForBothWays("folder onto an empty folder", "dir", "empty", EEXIST);
  AddForBothWays("folder onto a file", "dir", "b.txt", EEXIST);
  AddForBothWays("vanished file", "missing", "c.txt", ENOENT);
  AddForBothWays("names that are not UTF-8", "\xff\xfe", "\xfe\xff", 0);
  AddForBothWays("link moved as a link", "link", "link2", 0);
  AddForBothWays("onto its own name", "a.txt", "a.txt", EEXIST);
}

void TestFileMove::movesWithoutReplacing()
{
  QFETCH(Move, move);
  QFETCH(QByteArray, from);
  QFETCH(QByteArray, to);
  QFETCH(int, error);
  FileTestEnvironment environment;
  const QByteArray folder = MakeEntries(environment);
  const auto before = Snapshot(folder);
  const ino_t moved = InodeOf(folder + from);

  const platform::Result result = move(folder + from, folder + to);

  QCOMPARE(result.Error(), error);
  QCOMPARE(result.Ok(), error == 0);
  if (error != 0) {
    QCOMPARE(Snapshot(folder), before);
    QVERIFY(!result.Description().isEmpty());
    return;
  }
  QVERIFY(!Exists(folder + from));
  QCOMPARE(InodeOf(folder + to), moved);
  auto after = Snapshot(folder);
  QCOMPARE(after.size(), before.size());
}

void TestFileMove::readOnlyFolderRefusesTheMove_data()
{
  QTest::addColumn<Move>("move");
  QTest::addRow("no-replace move") << &platform::MoveWithoutReplacing;
  QTest::addRow("by link or checked rename") << &platform::MoveByLinkOrCheckedRename;
}

void TestFileMove::readOnlyFolderRefusesTheMove()
{
  QFETCH(Move, move);
  FileTestEnvironment environment;
  OpenForPassage(environment.home());
  const QByteArray folder = environment.makeFolder("read-only");
  MakeFile(folder + "a.txt", "A");
  HandOver(folder + "a.txt");
  QVERIFY(::chmod(folder.constData(), 0555) == 0);
  const auto before = Snapshot(folder);

  QCOMPARE(RunRestricted([&] { return move(folder + "a.txt", folder + "b.txt").Error(); }), EACCES);
  QCOMPARE(Snapshot(folder), before);
}

QTEST_GUILESS_MAIN(TestFileMove)
#include "test_file_move.moc"
