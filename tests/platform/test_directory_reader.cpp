#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/directory_reader.h"
#include "tests/support/file_test_support.h"

using namespace tv;
using namespace tv::test;
using platform::EntryKind;

namespace {

enum class Make { RegularFile, Folder, LinkToFolder, LinkToFile, BrokenLink, LinkLoop, Fifo, Socket };

void MakeEntry(const QByteArray &folder, const QByteArray &name, Make make)
{
  const QByteArray path = folder + name;
  switch (make) {
  case Make::RegularFile:
    MakeFile(path, "hello");
    break;
  case Make::Folder:
    QVERIFY(::mkdir(path.constData(), 0755) == 0);
    break;
  case Make::LinkToFolder:
    QVERIFY(::mkdir((folder + "target-folder").constData(), 0755) == 0);
    QVERIFY(::symlink("target-folder", path.constData()) == 0);
    break;
  case Make::LinkToFile:
    MakeFile(folder + "target-file", "hello");
    QVERIFY(::symlink("target-file", path.constData()) == 0);
    break;
  case Make::BrokenLink:
    QVERIFY(::symlink("nowhere", path.constData()) == 0);
    break;
  case Make::LinkLoop:
    QVERIFY(::symlink(name.constData(), path.constData()) == 0);
    break;
  case Make::Fifo:
    QVERIFY(::mkfifo(path.constData(), 0644) == 0);
    break;
  case Make::Socket:
    MakeSocket(path);
    break;
  }
}

const platform::DirectoryEntry *Find(const platform::DirectoryContents &contents, const QByteArray &name)
{
  for (const platform::DirectoryEntry &entry : contents.entries)
    if (contents.Name(entry) == name)
      return &entry;
  return nullptr;
}

QByteArray FolderIn(const QTemporaryDir &dir, const QByteArray &name)
{
  const QByteArray path = QFile::encodeName(dir.path()) + '/' + name + '/';
  ::mkdir(path.constData(), 0755);
  return path;
}

} // namespace

class TestDirectoryReader : public QObject {
  Q_OBJECT
private slots:
  void describesEachKindOfEntry_data();
  void describesEachKindOfEntry();
  void leavesOutDotAndDotDotOnly();
  void tellsMissingFolders();
  void aMountThatDoesNotAnswerHoldsOneCall();
  void dropsEntriesThatVanishBeforeTheirStat();
  void describesEveryEntryOfALargeFolder();
  void readsNothingFromAFolderItMayNotRead();
  void namesAFolderItMayReadButNotSearch();
};

void TestDirectoryReader::describesEachKindOfEntry_data()
{
  QTest::addColumn<QByteArray>("name");
  QTest::addColumn<Make>("make");
  QTest::addColumn<EntryKind>("kind");
  QTest::addColumn<qint64>("size");

  QTest::newRow("file") << QByteArray("plain.txt") << Make::RegularFile << EntryKind::File << qint64(5);
  QTest::newRow("folder") << QByteArray("sub") << Make::Folder << EntryKind::Folder << qint64(-1);
  QTest::newRow("link to a folder") << QByteArray("to-folder") << Make::LinkToFolder << EntryKind::Folder << qint64(-1);
  QTest::newRow("link to a file") << QByteArray("to-file") << Make::LinkToFile << EntryKind::File << qint64(5);
  QTest::newRow("broken link: its own size")
      << QByteArray("broken") << Make::BrokenLink << EntryKind::File << qint64(7);
  QTest::newRow("link loop: its own size") << QByteArray("loop") << Make::LinkLoop << EntryKind::File << qint64(4);
  QTest::newRow("fifo, never opened") << QByteArray("fifo") << Make::Fifo << EntryKind::File << qint64(0);
  QTest::newRow("socket") << QByteArray("sock") << Make::Socket << EntryKind::File << qint64(0);
  QTest::newRow("not UTF-8") << QByteArray("caf\xe9\xff.txt") << Make::RegularFile << EntryKind::File << qint64(5);
  QTest::newRow("newline") << QByteArray("two\nlines") << Make::RegularFile << EntryKind::File << qint64(5);
  QTest::newRow("leading dash") << QByteArray("-x") << Make::RegularFile << EntryKind::File << qint64(5);
  QTest::newRow("option-like") << QByteArray("--help") << Make::RegularFile << EntryKind::File << qint64(5);
  QTest::newRow("ampersand") << QByteArray("this & that") << Make::RegularFile << EntryKind::File << qint64(5);
  QTest::newRow("blanks at both ends") << QByteArray("  spaced  ") << Make::RegularFile << EntryKind::File << qint64(5);
  QTest::newRow("255 bytes") << QByteArray(255, 'n') << Make::RegularFile << EntryKind::File << qint64(5);
}

void TestDirectoryReader::describesEachKindOfEntry()
{
  QFETCH(QByteArray, name);
  QFETCH(Make, make);
  QFETCH(EntryKind, kind);
  QFETCH(qint64, size);
  const QTemporaryDir dir;
  const QByteArray folder = FolderIn(dir, "f");
  MakeEntry(folder, name, make);
  const auto removeEntry = qScopeGuard([&] { ::unlink(folder + name); }); // QDir cannot remove names that are not UTF-8

  const platform::DirectoryContents contents = platform::ReadDirectory(folder);
  QCOMPARE(contents.state, platform::FolderState::Listed);
  const platform::DirectoryEntry *entry = Find(contents, name);
  QVERIFY(entry);
  QCOMPARE(entry->kind, kind);
  if (kind == EntryKind::File)
    QCOMPARE(entry->size, size);
}

void TestDirectoryReader::leavesOutDotAndDotDotOnly()
{
  const QTemporaryDir dir;
  const QByteArray folder = FolderIn(dir, "f");
  for (const QByteArray name : {"...", "..x", ".hidden"})
    MakeFile(folder + name);
  QVERIFY(::mkdir(folder + ".hidden-folder", 0755) == 0);

  const platform::DirectoryContents contents = platform::ReadDirectory(folder);
  QCOMPARE(contents.entries.size(), size_t(4));
  QVERIFY(!Find(contents, "."));
  QVERIFY(!Find(contents, ".."));
}

void TestDirectoryReader::tellsMissingFolders()
{
  const QTemporaryDir dir;
  const QByteArray folder = FolderIn(dir, "f");
  MakeFile(folder + "file");
  for (const QByteArray &path : {folder + "none/", folder + "file/", folder + "file"})
    QCOMPARE(platform::ReadDirectory(path).state, platform::FolderState::Missing);
  QCOMPARE(platform::ReadDirectory(folder.chopped(1)).state, platform::FolderState::Listed);
  // A folder that is there but cannot be opened is never called missing.
  QVERIFY(::symlink("loop", folder + "loop") == 0);
  QCOMPARE(platform::ReadDirectory(folder + "loop").state, platform::FolderState::Unreadable);
}

// A call on a mount that does not answer holds that mount's gate: later calls there give up
// in time without starting another thread, and calls on other mounts go on.
void TestDirectoryReader::aMountThatDoesNotAnswerHoldsOneCall()
{
  using namespace std::chrono_literals;
  platform::MountGates gates;
  auto release = std::make_shared<std::promise<void>>();
  std::shared_future<void> released = release->get_future().share();
  std::atomic<int> started = 0;
  const auto hang = [&started, released] {
    ++started;
    released.wait();
  };
  QVERIFY(!gates.CallWithin("/dead", 20ms, hang));
  QVERIFY(!gates.CallWithin("/dead", 20ms, hang));
  QVERIFY(!gates.EnterWithin("/dead", 20ms));
  QCOMPARE(started.load(), 1);
  QVERIFY(gates.CallWithin("/alive", 1s, [] {}));
  release->set_value();
  QVERIFY(QTest::qWaitFor([&] { return bool(gates.EnterWithin("/dead", 0ms)); }));
}

void TestDirectoryReader::dropsEntriesThatVanishBeforeTheirStat()
{
  const QTemporaryDir dir;
  const QByteArray folder = FolderIn(dir, "f");
  MakeFile(folder + "stays");
  MakeFile(folder + "goes");

  const platform::FileDescriptor handle = platform::OpenFolder(AT_FDCWD, folder, true);
  platform::DirectoryContents contents;
  platform::ReadEntryNames(handle, contents);
  QCOMPARE(contents.entries.size(), size_t(2));
  QVERIFY(::unlink(folder + "goes") == 0);
  platform::DescribeEntries(handle, contents);

  QCOMPARE(contents.entries.size(), size_t(1));
  QVERIFY(Find(contents, "stays"));
}

void TestDirectoryReader::describesEveryEntryOfALargeFolder()
{
  // Large enough for the stats to be shared among threads, with entries of every kind spread
  // over all shares and some vanishing in each.
  const QTemporaryDir dir;
  const QByteArray folder = FolderIn(dir, "f");
  constexpr int Count = 12'000;
  for (int i = 0; i < Count; ++i) {
    const QByteArray name = QByteArray::number(i);
    if (i % 10 == 1)
      QVERIFY(::mkdir(folder + name, 0755) == 0);
    else if (i % 10 == 2)
      QVERIFY(::symlink("1", folder + name) == 0);
    else
      MakeFile(folder + name, QByteArray(i % 7, 'x'));
  }

  const platform::FileDescriptor handle = platform::OpenFolder(AT_FDCWD, folder, true);
  platform::DirectoryContents contents;
  platform::ReadEntryNames(handle, contents);
  QCOMPARE(contents.entries.size(), size_t(Count));
  QList<QByteArray> staying;
  for (const platform::DirectoryEntry &entry : contents.entries) {
    const QByteArray name = contents.Name(entry).toByteArray();
    if (name.toInt() % 13 == 0 && name.toInt() % 10 != 1) // folders are known from the read alone
      QVERIFY(::unlink(folder + name) == 0);
    else
      staying.append(name);
  }
  platform::DescribeEntries(handle, contents);

  QList<QByteArray> described;
  for (const platform::DirectoryEntry &entry : contents.entries) {
    const QByteArray name = contents.Name(entry).toByteArray();
    const int i = name.toInt();
    const bool folderLike = i % 10 == 1 || i % 10 == 2;
    QCOMPARE(entry.kind, folderLike ? EntryKind::Folder : EntryKind::File);
    if (!folderLike)
      QCOMPARE(entry.size, qint64(i % 7));
    described.append(name);
  }
  QCOMPARE(described, staying); // in the order the folder gave them
}

void TestDirectoryReader::readsNothingFromAFolderItMayNotRead()
{
  const QTemporaryDir dir;
  QVERIFY(::chmod(QFile::encodeName(dir.path()), 0755) == 0);
  const QByteArray folder = FolderIn(dir, "locked");
  MakeFile(folder + "secret");
  QVERIFY(::chmod(folder, 0311) == 0);

  const int result = RunRestricted([&] {
    const platform::DirectoryContents contents = platform::ReadDirectory(folder);
    const bool unreadable = contents.state == platform::FolderState::Unreadable && contents.entries.empty();
    return unreadable ? 0 : 1;
  });
  if (result < 0)
    QSKIP("running as root and there is no user \"nobody\" to read as");
  QCOMPARE(result, 0);
}

void TestDirectoryReader::namesAFolderItMayReadButNotSearch()
{
  const QTemporaryDir dir;
  QVERIFY(::chmod(QFile::encodeName(dir.path()), 0755) == 0);
  const QByteArray folder = FolderIn(dir, "unsearchable");
  MakeFile(folder + "file", "hello");
  QVERIFY(::mkdir(folder + "sub", 0755) == 0);
  QVERIFY(::chmod(folder, 0444) == 0);

  // The names are known, nothing else: files without size and time, folders as folders.
  const int result = RunRestricted([&] {
    const platform::DirectoryContents contents = platform::ReadDirectory(folder);
    const platform::DirectoryEntry *file = Find(contents, "file");
    const platform::DirectoryEntry *sub = Find(contents, "sub");
    const bool namesOnly = contents.state == platform::FolderState::Listed && file && file->kind == EntryKind::File &&
                           file->size == -1 && file->modified == platform::UnknownTime && sub &&
                           sub->kind == EntryKind::Folder;
    return namesOnly ? 0 : 1;
  });
  if (result < 0)
    QSKIP("running as root and there is no user \"nobody\" to read as");
  QCOMPARE(result, 0);
}

QTEST_GUILESS_MAIN(TestDirectoryReader)
#include "test_directory_reader.moc"
