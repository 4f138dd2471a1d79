#include <QProcess>
#include <QRegularExpression>
#include <QtTest>
#include <atomic>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <functional>
#include <optional>
#include <poll.h>
#include <sys/fanotify.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "platform/file_copy.h"
#include "platform/trash.h"
#include "tests/support/file_test_support.h"
#include "tests/support/test_environment.h"

using namespace tv;
using namespace tv::test;

namespace {

const QByteArray kUid = QByteArray::number(::getuid());

QByteArray HomeTrash(const FileTestEnvironment &environment) { return environment.home() + "/.xdg_data_home/Trash"; }

// Checks a trashed file and its record against the freedesktop.org trash layout: the file under
// files/ with its contents, the record under info/ with exactly the header, the original
// path percent-encoded and the deletion time in local time.
void VerifyTrashed(const platform::TrashedFile &trashed, const QByteArray &trash, const QByteArray &trashName,
                   const QByteArray &recordedPath, const QByteArray &contents, const QDateTime &before)
{
  QVERIFY2(trashed.result.Ok(), qPrintable(trashed.result.Description()));
  QCOMPARE(trashed.file, trash + "/files/" + trashName);
  QCOMPARE(trashed.info, trash + "/info/" + trashName + ".trashinfo");
  QCOMPARE(ReadFile(trashed.file), contents);
  const QList<QByteArray> lines = ReadFile(trashed.info).split('\n');
  QCOMPARE(lines.size(), 4);
  QCOMPARE(lines[0], QByteArray("[Trash Info]"));
  QVERIFY(lines[1].startsWith("Path="));
  const QByteArray encoded = lines[1].mid(5);
  QVERIFY2(
      QRegularExpression(QStringLiteral("^[A-Za-z0-9/\\-_.!~*'()%]*$")).match(QString::fromLatin1(encoded)).hasMatch(),
      encoded.constData());
  QCOMPARE(QByteArray::fromPercentEncoding(encoded), recordedPath);
  QVERIFY(lines[2].startsWith("DeletionDate="));
  const QDateTime deleted =
      QDateTime::fromString(QString::fromLatin1(lines[2].mid(13)), QStringLiteral("yyyy-MM-dd'T'HH:mm:ss"));
  QVERIFY2(deleted.isValid(), lines[2].constData());
  QVERIFY(deleted >= before.addMSecs(-before.time().msec()) && deleted <= QDateTime::currentDateTime());
  QCOMPARE(lines[3], QByteArray());
  QCOMPARE(int(StatOf(trash).st_mode & 0777), 0700);
}

QString TrashCli(const QString &program, const QByteArray &workingFolder = {}, const QByteArray &input = {})
{
  QProcess process;
  if (!workingFolder.isEmpty())
    process.setWorkingDirectory(QFile::decodeName(workingFolder));
  process.start(program, {});
  process.write(input);
  process.closeWriteChannel();
  if (!process.waitForFinished(60000))
    return QStringLiteral("(did not finish)");
  return QString::fromUtf8(process.readAllStandardOutput());
}

enum class VolumeSetup {
  Nothing,
  SharedTrash,
  SharedTrashWithoutStickyBit,
  SharedTrashOfAnotherOwner,
  SharedTrashLink,
  OwnTrashIsFile,
  OwnTrashOfAnotherUser,
  OwnTrashLink
};

void PrepareVolume(const QByteArray &volume, VolumeSetup setup)
{
  switch (setup) {
  case VolumeSetup::Nothing:
    break;
  case VolumeSetup::SharedTrash:
    MakeFolder(volume + "/.Trash", 01777);
    break;
  case VolumeSetup::SharedTrashWithoutStickyBit:
    MakeFolder(volume + "/.Trash", 0777);
    break;
  case VolumeSetup::SharedTrashOfAnotherOwner:
    MakeFolder(volume + "/.Trash", 01777);
    QVERIFY(::chown((volume + "/.Trash").constData(), 4321, 4321) == 0);
    break;
  case VolumeSetup::SharedTrashLink:
    MakeFolder(volume + "/elsewhere", 01777);
    QVERIFY(::symlink("elsewhere", (volume + "/.Trash").constData()) == 0);
    break;
  case VolumeSetup::OwnTrashIsFile:
    MakeFile(volume + "/.Trash-" + kUid, "not a folder");
    break;
  case VolumeSetup::OwnTrashOfAnotherUser:
    MakeFolder(volume + "/.Trash-" + kUid, 0700);
    QVERIFY(::chown((volume + "/.Trash-" + kUid).constData(), 4321, 4321) == 0);
    break;
  case VolumeSetup::OwnTrashLink:
    MakeFolder(volume + "/elsewhere", 0700);
    QVERIFY(::symlink("elsewhere", (volume + "/.Trash-" + kUid).constData()) == 0);
    break;
  }
}

// Makes a change when a file is first read, while the kernel holds the reader until it is
// answered: the change falls between the reader's open and its copy every time.
class ChangeOnFirstRead {
public:
  ChangeOnFirstRead(const QByteArray &path, std::function<void()> change) : change_(std::move(change))
  {
    watch_ = ::fanotify_init(FAN_CLASS_CONTENT | FAN_CLOEXEC, O_RDONLY);
    if (watch_ >= 0 && ::pipe2(stop_, O_CLOEXEC) == 0 &&
        ::fanotify_mark(watch_, FAN_MARK_ADD, FAN_ACCESS_PERM, AT_FDCWD, path.constData()) == 0)
      listener_ = std::thread([this] { answerReads(); });
  }
  ~ChangeOnFirstRead()
  {
    if (listener_.joinable()) {
      [[maybe_unused]] const ssize_t stopped = ::write(stop_[1], "x", 1);
      listener_.join();
    }
    for (const int fd : {watch_, stop_[0], stop_[1]})
      if (fd >= 0)
        ::close(fd);
  }
  ChangeOnFirstRead(const ChangeOnFirstRead &) = delete;
  ChangeOnFirstRead &operator=(const ChangeOnFirstRead &) = delete;
  bool isWatching() const { return listener_.joinable(); }
  bool hasChanged() const { return changed_; }

private:
  void answerReads()
  {
    pollfd waits[2] = {{watch_, POLLIN, 0}, {stop_[0], POLLIN, 0}};
    while (::poll(waits, 2, -1) > 0 && (waits[1].revents & POLLIN) == 0) {
      fanotify_event_metadata event{};
      if (::read(watch_, &event, sizeof event) != sizeof event)
        continue;
      if (!changed_.exchange(true))
        change_();
      const fanotify_response answer{event.fd, FAN_ALLOW};
      [[maybe_unused]] const ssize_t answered = ::write(watch_, &answer, sizeof answer);
      ::close(event.fd);
    }
  }

  std::function<void()> change_;
  int watch_ = -1;
  int stop_[2] = {-1, -1};
  std::atomic<bool> changed_ = false;
  std::thread listener_;
};

// Writes a file with plain calls, for the listener's thread, where the test macros do not work.
void Overwrite(const QByteArray &path, const QByteArray &bytes, int flags)
{
  const int fd = ::open(path.constData(), O_WRONLY | O_CLOEXEC | flags, 0644);
  [[maybe_unused]] const ssize_t written = ::write(fd, bytes.constData(), size_t(bytes.size()));
  ::close(fd);
}

enum class Meanwhile { SavedOverByRename, RewrittenInPlace };

} // namespace

Q_DECLARE_METATYPE(VolumeSetup)
Q_DECLARE_METATYPE(Meanwhile)
Q_DECLARE_METATYPE(platform::TrashRefusal)

class TestTrash : public QObject {
  Q_OBJECT
private slots:
  void homeTrashKeepsTheFileAndRecordsWhereItWas_data();
  void homeTrashKeepsTheFileAndRecordsWhereItWas();
  void homeTrashIsMadeWhereTheUserDataIs_data();
  void homeTrashIsMadeWhereTheUserDataIs();
  void takenTrashNamesGetNumbers();
  void longestPath();
  void trashCliListsAndRestoresTrashedFiles();
  void fileStaysWhenNoTrashCanTakeIt_data();
  void fileStaysWhenNoTrashCanTakeIt();
  void fileInReadOnlyFolderStays();
  void otherVolumesUseTheirOwnTrashOrTheHomeTrash_data();
  void otherVolumesUseTheirOwnTrashOrTheHomeTrash();
  void moveAcrossABindMountBecomesACopy_data();
  void moveAcrossABindMountBecomesACopy();
  void fileChangedWhileCopiedStays_data();
  void fileChangedWhileCopiedStays();
};

void TestTrash::homeTrashKeepsTheFileAndRecordsWhereItWas_data()
{
  QTest::addColumn<QByteArray>("name");
  QTest::addColumn<QByteArray>("trashName");
  const QByteArray longName = QByteArray(250, 'n');
  QTest::addRow("plain") << QByteArray("a.txt") << QByteArray("a.txt");
  QTest::addRow("spaces, percent, reserved")
      << QByteArray("100% sure #1 & ok?.txt") << QByteArray("100% sure #1 & ok?.txt");
  QTest::addRow("not ASCII") << QByteArray("résumé 文件.txt") << QByteArray("résumé 文件.txt");
  QTest::addRow("not UTF-8") << QByteArray("\xff\xfe.bin") << QByteArray("\xff\xfe.bin");
  QTest::addRow("newline") << QByteArray("two\nlines") << QByteArray("two\nlines");
  QTest::addRow("leading dash") << QByteArray("-rf") << QByteArray("-rf");
  QTest::addRow("hidden") << QByteArray(".hidden") << QByteArray(".hidden");
  QTest::addRow("longest name, shortened in the trash") << longName << longName.left(245);
}

void TestTrash::homeTrashKeepsTheFileAndRecordsWhereItWas()
{
  QFETCH(QByteArray, name);
  QFETCH(QByteArray, trashName);
  FileTestEnvironment environment;
  const QByteArray folder = environment.makeFolder("shown");
  MakeFile(folder + name, "contents " + name);
  MakeFile(folder + "other", "stays");
  const auto outside = Snapshot(environment.home(), {environment.home() + "/shown", HomeTrash(environment)});
  const QDateTime before = QDateTime::currentDateTime();

  const platform::TrashedFile trashed = platform::MoveToTrash(folder + name);

  VerifyTrashed(trashed, HomeTrash(environment), trashName, folder + name, "contents " + name, before);
  QCOMPARE(Names(folder), QList<QByteArray>{"other"});
  QCOMPARE(Snapshot(environment.home(), {environment.home() + "/shown", HomeTrash(environment)}), outside);
}

void TestTrash::homeTrashIsMadeWhereTheUserDataIs_data()
{
  QTest::addColumn<QByteArray>("dataHome");
  QTest::addColumn<QByteArray>("trash");
  QTest::addRow("data home exists") << QByteArray("/.xdg_data_home") << QByteArray("/.xdg_data_home/Trash");
  QTest::addRow("data home missing") << QByteArray("/deep/er/data") << QByteArray("/deep/er/data/Trash");
  QTest::addRow("data home not set") << QByteArray() << QByteArray("/.local/share/Trash");
  QTest::addRow("data home relative, so ignored") << QByteArray("relative") << QByteArray("/.local/share/Trash");
}

void TestTrash::homeTrashIsMadeWhereTheUserDataIs()
{
  QFETCH(QByteArray, dataHome);
  QFETCH(QByteArray, trash);
  FileTestEnvironment environment;
  qputenv("XDG_DATA_HOME", dataHome.startsWith('/') ? environment.home() + dataHome : dataHome);
  const QByteArray folder = environment.makeFolder("shown");
  MakeFile(folder + "a.txt", "A");
  const QDateTime before = QDateTime::currentDateTime();

  const platform::TrashedFile trashed = platform::MoveToTrash(folder + "a.txt");

  VerifyTrashed(trashed, environment.home() + trash, "a.txt", folder + "a.txt", "A", before);
  QCOMPARE(int(StatOf(environment.home() + trash + "/files").st_mode & 0777), 0700);
  QCOMPARE(int(StatOf(environment.home() + trash + "/info").st_mode & 0777), 0700);
}

void TestTrash::takenTrashNamesGetNumbers()
{
  FileTestEnvironment environment;
  const QByteArray first = environment.makeFolder("first");
  const QByteArray second = environment.makeFolder("second");
  const QByteArray third = environment.makeFolder("third");
  for (const QByteArray &folder : {first, second, third})
    MakeFile(folder + "same.txt", folder);
  const QByteArray trash = HomeTrash(environment);
  const QDateTime before = QDateTime::currentDateTime();

  VerifyTrashed(platform::MoveToTrash(first + "same.txt"), trash, "same.txt", first + "same.txt", first, before);
  // A file without a record, as another program may leave behind, is not replaced.
  MakeFile(trash + "/files/same (2).txt", "orphan");
  VerifyTrashed(platform::MoveToTrash(second + "same.txt"), trash, "same (3).txt", second + "same.txt", second, before);
  VerifyTrashed(platform::MoveToTrash(third + "same.txt"), trash, "same (4).txt", third + "same.txt", third, before);

  QCOMPARE(ReadFile(trash + "/files/same (2).txt"), QByteArray("orphan"));
  QCOMPARE(Names(trash + "/info"),
           (QList<QByteArray>{"same (3).txt.trashinfo", "same (4).txt.trashinfo", "same.txt.trashinfo"}));
}

void TestTrash::longestPath()
{
  FileTestEnvironment environment;
  const QByteArray folder = MakeDeepFolder(environment.makeFolder("shown"), 3800);
  const QByteArray name = QByteArray(250, 'n');
  MakeFile(folder + name, "deep");
  QVERIFY(folder.size() + name.size() > 4000 && folder.size() + name.size() < PATH_MAX);
  const QDateTime before = QDateTime::currentDateTime();

  VerifyTrashed(platform::MoveToTrash(folder + name), HomeTrash(environment), name.left(245), folder + name, "deep",
                before);
  QVERIFY(!Exists(folder + name));
}

void TestTrash::trashCliListsAndRestoresTrashedFiles()
{
  FileTestEnvironment environment;
  const QByteArray plainFolder = environment.makeFolder("plain");
  const QByteArray restoreFolder = environment.makeFolder("restore here");
  const QByteArray name = "résumé 文件 100%.txt";
  MakeFile(plainFolder + "plain.txt", "P");
  MakeFile(restoreFolder + name, "R");
  QVERIFY(platform::MoveToTrash(plainFolder + "plain.txt").result.Ok());
  QVERIFY(platform::MoveToTrash(restoreFolder + name).result.Ok());

  const QString listed = TrashCli(QStringLiteral("trash-list"));
  QVERIFY2(listed.contains(QString::fromUtf8(plainFolder + "plain.txt")), qPrintable(listed));
  QVERIFY2(listed.contains(QString::fromUtf8(restoreFolder + name)), qPrintable(listed));

  const QString restored = TrashCli(QStringLiteral("trash-restore"), restoreFolder, "0\n");
  QVERIFY2(restored.contains(QString::fromUtf8(restoreFolder + name)), qPrintable(restored));
  QCOMPARE(ReadFile(restoreFolder + name), QByteArray("R"));
  QCOMPARE(Names(HomeTrash(environment) + "/files"), QList<QByteArray>{"plain.txt"});
}

void TestTrash::fileStaysWhenNoTrashCanTakeIt_data()
{
  QTest::addColumn<QByteArray>("blocker");
  QTest::addColumn<QByteArray>("homeVariable");
  QTest::addColumn<QByteArray>("source");
  QTest::addColumn<int>("error");
  QTest::addColumn<platform::TrashRefusal>("refusal");
  const auto none = platform::TrashRefusal::None;
  QTest::addRow("data home is a file") << QByteArray("/.xdg_data_home") << QByteArray("home") << QByteArray() << ENOTDIR
                                       << none;
  QTest::addRow("trash is a file") << QByteArray("/.xdg_data_home/Trash") << QByteArray("home") << QByteArray()
                                   << ENOTDIR << none;
  QTest::addRow("info is a file") << QByteArray("/.xdg_data_home/Trash/info") << QByteArray("home") << QByteArray()
                                  << ENOTDIR << none;
  QTest::addRow("no home") << QByteArray() << QByteArray() << QByteArray() << ENOENT
                           << platform::TrashRefusal::NoHomeFolder;
  QTest::addRow("home not absolute") << QByteArray() << QByteArray("relative") << QByteArray() << ENOENT
                                     << platform::TrashRefusal::NoHomeFolder;
  QTest::addRow("data ends before the size") << QByteArray() << QByteArray("home") << ShortReadFile()
                                             << platform::SourceChanged << platform::TrashRefusal::FileChanged;
}

void TestTrash::fileStaysWhenNoTrashCanTakeIt()
{
  QFETCH(QByteArray, blocker);
  QFETCH(QByteArray, homeVariable);
  QFETCH(QByteArray, source);
  QFETCH(int, error);
  QFETCH(platform::TrashRefusal, refusal);
  if (refusal == platform::TrashRefusal::FileChanged && source.isEmpty())
    QSKIP(kNoShortReadFile);
  FileTestEnvironment environment;
  const QByteArray path = source.isEmpty() ? environment.makeFolder("shown") + "a.txt" : source;
  if (source.isEmpty())
    MakeFile(path, "A");
  if (!blocker.isEmpty()) {
    QDir().rmpath(QFile::decodeName(environment.home() + "/.xdg_data_home"));
    QDir().mkpath(QFile::decodeName(environment.home() + blocker.left(blocker.lastIndexOf('/'))));
    MakeFile(environment.home() + blocker, "in the way");
  }
  if (homeVariable != "home") {
    qputenv("XDG_DATA_HOME", "");
    qputenv("HOME", homeVariable);
  }
  const auto before = Snapshot(environment.home(), {HomeTrash(environment)});
  const QList<QByteArray> topFolder = Names("/");

  const platform::TrashedFile trashed = platform::MoveToTrash(path);

  QCOMPARE(Names("/"), topFolder); // no trash made on the home volume's top folder instead
  QCOMPARE(trashed.result.Error(), error);
  QCOMPARE(trashed.refusal, refusal);
  QVERIFY(trashed.file.isEmpty());
  QVERIFY(Exists(path));
  QCOMPARE(Snapshot(environment.home(), {HomeTrash(environment)}), before);
  QCOMPARE(Names(HomeTrash(environment) + "/files"), QList<QByteArray>{});
  QCOMPARE(Names(HomeTrash(environment) + "/info"), QList<QByteArray>{});
}

void TestTrash::fileInReadOnlyFolderStays()
{
  FileTestEnvironment environment;
  const auto [folder, dataHome] = PrepareReadOnlyFolder(environment);
  const auto before = Snapshot(folder);

  const int error = RunRestricted([&] {
    qputenv("XDG_DATA_HOME", dataHome);
    return platform::MoveToTrash(folder + "a.txt").result.Error();
  });

  QCOMPARE(error, EACCES);
  QCOMPARE(Snapshot(folder), before);
  QCOMPARE(Names(dataHome + "Trash/info"), QList<QByteArray>{});
  QCOMPARE(Names(dataHome + "Trash/files"), QList<QByteArray>{});
}

void TestTrash::otherVolumesUseTheirOwnTrashOrTheHomeTrash_data()
{
  QTest::addColumn<VolumeSetup>("setup");
  QTest::addColumn<QByteArray>("trash");
  const QByteArray own = "/volume/.Trash-" + kUid;
  const QByteArray home = "/.xdg_data_home/Trash";
  QTest::addRow("own trash made") << VolumeSetup::Nothing << own;
  QTest::addRow("shared trash") << VolumeSetup::SharedTrash << "/volume/.Trash/" + kUid;
  QTest::addRow("shared trash without sticky bit") << VolumeSetup::SharedTrashWithoutStickyBit << own;
  QTest::addRow("shared trash of another owner than root") << VolumeSetup::SharedTrashOfAnotherOwner << own;
  QTest::addRow("shared trash that is a link") << VolumeSetup::SharedTrashLink << own;
  QTest::addRow("own trash is a file: home trash") << VolumeSetup::OwnTrashIsFile << home;
  QTest::addRow("own trash of another user: home trash") << VolumeSetup::OwnTrashOfAnotherUser << home;
  QTest::addRow("own trash is a link: home trash") << VolumeSetup::OwnTrashLink << home;
}

void TestTrash::otherVolumesUseTheirOwnTrashOrTheHomeTrash()
{
  QFETCH(VolumeSetup, setup);
  QFETCH(QByteArray, trash);
  FileTestEnvironment environment;
  const ScratchVolume volume(environment.home() + "/volume");
  if (!volume.isMounted())
    QSKIP("mounting a file system needs root");
  const QByteArray folder = environment.home() + "/volume/sub/";
  MakeFolder(folder);
  MakeFile(folder + "a b.txt", "on the volume");
  PrepareVolume(environment.home() + "/volume", setup);
  const ino_t inode = StatOf(folder + "a b.txt").st_ino;
  const bool toVolume = trash.startsWith("/volume");
  const QDateTime before = QDateTime::currentDateTime();

  const platform::TrashedFile trashed = platform::MoveToTrash(folder + "a b.txt");

  VerifyTrashed(trashed, environment.home() + trash, "a b.txt", toVolume ? "sub/a b.txt" : folder + "a b.txt",
                "on the volume", before);
  QVERIFY(!Exists(folder + "a b.txt"));
  QCOMPARE(StatOf(trashed.file).st_ino == inode, toVolume);
  if (setup == VolumeSetup::SharedTrashWithoutStickyBit || setup == VolumeSetup::SharedTrashOfAnotherOwner ||
      setup == VolumeSetup::SharedTrashLink)
    QCOMPARE(Names(environment.home() + "/volume/.Trash/"), QList<QByteArray>{});
  const QString listed = TrashCli(QStringLiteral("trash-list"));
  QVERIFY2(listed.contains(QString::fromUtf8(folder + "a b.txt")), qPrintable(listed));
}

void TestTrash::moveAcrossABindMountBecomesACopy_data()
{
  QTest::addColumn<bool>("onScratchVolume");
  QTest::addRow("bound folder of the home volume") << false;
  QTest::addRow("bound folder of another volume") << true;
}

void TestTrash::moveAcrossABindMountBecomesACopy()
{
  QFETCH(bool, onScratchVolume);
  FileTestEnvironment environment;
  std::optional<ScratchVolume> volume;
  if (onScratchVolume && !volume.emplace(environment.home() + "/volume").isMounted())
    QSKIP("mounting a file system needs root");
  const QByteArray base = environment.home() + (onScratchVolume ? "/volume" : "");
  const QByteArray real = base + "/real/";
  MakeFolder(real);
  MakeFile(real + "a.txt", "bound");
  const ScratchVolume bound(base + "/bound", real);
  if (!bound.isMounted())
    QSKIP("bind mounts need root and a system that allows them");
  const QDateTime before = QDateTime::currentDateTime();

  const platform::TrashedFile trashed = platform::MoveToTrash(base + "/bound/a.txt");

  VerifyTrashed(trashed, HomeTrash(environment), "a.txt", base + "/bound/a.txt", "bound", before);
  QCOMPARE(Names(real), QList<QByteArray>{});
}

void TestTrash::fileChangedWhileCopiedStays_data()
{
  QTest::addColumn<Meanwhile>("meanwhile");
  QTest::addRow("saved over by rename, as editors save") << Meanwhile::SavedOverByRename;
  QTest::addRow("rewritten in place, same size") << Meanwhile::RewrittenInPlace;
}

void TestTrash::fileChangedWhileCopiedStays()
{
  QFETCH(Meanwhile, meanwhile);
  FileTestEnvironment environment;
  const ScratchVolume volume(environment.home() + "/volume");
  if (!volume.isMounted())
    QSKIP("mounting a file system needs root");
  PrepareVolume(environment.home() + "/volume", VolumeSetup::OwnTrashIsFile);
  const QByteArray path = environment.home() + "/volume/a.txt";
  const QByteArray saved = path + ".saving";
  MakeFile(path, "first");
  // Times in the past, so that the write shows in them even on a coarse clock.
  const struct timespec past[2] = {{1234567890, 0}, {1234567890, 0}};
  QCOMPARE(::utimensat(AT_FDCWD, path.constData(), past, 0), 0);
  const ChangeOnFirstRead change(path, [&] {
    if (meanwhile == Meanwhile::SavedOverByRename) {
      Overwrite(saved, "saved", O_CREAT | O_EXCL);
      ::rename(saved.constData(), path.constData());
    } else {
      Overwrite(path, "again", O_TRUNC);
    }
  });
  if (!change.isWatching())
    QSKIP("watching reads needs root and fanotify");

  const platform::TrashedFile trashed = platform::MoveToTrash(path);

  QVERIFY(change.hasChanged());
  QCOMPARE(trashed.refusal, platform::TrashRefusal::FileChanged);
  QCOMPARE(ReadFile(path), meanwhile == Meanwhile::SavedOverByRename ? QByteArray("saved") : QByteArray("again"));
  QCOMPARE(Names(HomeTrash(environment) + "/files"), QList<QByteArray>{});
  QCOMPARE(Names(HomeTrash(environment) + "/info"), QList<QByteArray>{});
}

QTEST_GUILESS_MAIN(TestTrash)
#include "test_trash.moc"
