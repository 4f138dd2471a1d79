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
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "platform/file_copy.h"
#include "platform/journal.h"
#include "platform/trash.h"
#include "tests/support/file_test_support.h"
#include "tests/support/test_environment.h"

using namespace tv;
using namespace tv::test;

namespace {

const QByteArray kUid = QByteArray::number(::getuid());

QByteArray HomeTrashFolder(const QByteArray &home) { return home + "/.xdg_data_home/Trash"; }
QByteArray HomeTrash(const FileTestEnvironment &environment) { return HomeTrashFolder(environment.home()); }

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

// Runs a step in a child process that ends without any cleanup of its own, as a killed one.
void KilledDuring(const std::function<void()> &step)
{
  const pid_t child = ::fork();
  if (child == 0) {
    step();
    ::_exit(0);
  }
  int status = 0;
  QCOMPARE(::waitpid(child, &status, 0), child);
}

const platform::CopyProgress EndAtFirstChunk = [](qint64 done, qint64) {
  if (done > 0)
    ::_exit(0);
  return true;
};

enum class CrashPoint {
  DropCopyStarted,
  TrashCopyHalfway,
  RecordWithoutItsFile,
  RecordWithItsFile,
  RecordOfAnotherProgram,
  OriginalTakenAside,
  OriginalTakenAsideNameRetaken,
  StepStillRunning
};

// Everything in the folders a step may leave files in, as "folder/name".
QList<QByteArray> Leftovers(const QByteArray &source, const QByteArray &home)
{
  QList<QByteArray> found;
  const std::pair<QByteArray, QByteArray> places[] = {{"shown/", source},
                                                      {"to/", home + "/to"},
                                                      {"files/", HomeTrashFolder(home) + "/files"},
                                                      {"info/", HomeTrashFolder(home) + "/info"}};
  for (const auto &[label, folder] : places)
    for (const QByteArray &name : Names(folder))
      found.append(label + name);
  return found;
}

// Where each crash point leaves its work: the step is killed (or, for the last, still runs).
void LeaveUnfinished(CrashPoint point, const QByteArray &folder, const QByteArray &home,
                     std::optional<platform::JournalEntry> *running)
{
  const QByteArray trash = HomeTrashFolder(home);
  const QByteArray record = trash + "/info/a.txt.trashinfo";
  const QByteArray aside = folder + ".tarnview-aside-test";
  switch (point) {
  case CrashPoint::DropCopyStarted:
    return KilledDuring([&] {
      platform::CopyRegularFile(folder + "a.txt", home + "/to/a.txt", platform::Durability::Normal, EndAtFirstChunk);
    });
  case CrashPoint::TrashCopyHalfway:
    return KilledDuring([&] { platform::MoveToTrash(folder + "a.txt", EndAtFirstChunk); });
  case CrashPoint::RecordWithoutItsFile:
  case CrashPoint::RecordWithItsFile:
  case CrashPoint::RecordOfAnotherProgram:
    KilledDuring([&] {
      const platform::JournalEntry entry({.record = record, .recordText = "ours"});
      MakeFile(record, point == CrashPoint::RecordOfAnotherProgram ? "theirs" : "ours");
      if (point == CrashPoint::RecordWithItsFile)
        MakeFile(trash + "/files/a.txt", "arrived");
      ::_exit(0);
    });
    return;
  case CrashPoint::OriginalTakenAside:
  case CrashPoint::OriginalTakenAsideNameRetaken:
    KilledDuring([&] {
      const platform::JournalEntry entry({.privateName = aside, .original = folder + "a.txt"});
      ::rename((folder + "a.txt").constData(), aside.constData());
      ::_exit(0);
    });
    if (point == CrashPoint::OriginalTakenAsideNameRetaken)
      MakeFile(folder + "a.txt", "new");
    return;
  case CrashPoint::StepStillRunning:
    running->emplace(platform::UnfinishedStep{
        .temporaryPrefix = home + "/to/.tarnview-copy-live", .privateName = aside, .original = folder + "a.txt"});
    MakeFile(home + "/to/.tarnview-copy-live", "being written");
    QCOMPARE(::rename((folder + "a.txt").constData(), aside.constData()), 0);
    return;
  }
}

enum class Obstacle {
  ReadOnlyVolume,
  FolderNotWritable,
  StickyFolderOfAnother,
  CancelledAfterAChunk,
  SavedOverAfterTheCopy
};

// Puts the obstacle in the way of trashing volume/shown/a.txt by a copy to the home trash.
void PrepareObstacle(Obstacle obstacle, const QByteArray &volume, const QByteArray &folder)
{
  switch (obstacle) {
  case Obstacle::ReadOnlyVolume:
    QCOMPARE(::mount(nullptr, volume.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
    break;
  case Obstacle::FolderNotWritable:
    QCOMPARE(::chmod(folder.constData(), 0555), 0);
    break;
  case Obstacle::StickyFolderOfAnother:
    QCOMPARE(::chmod(folder.constData(), 01777), 0);
    QCOMPARE(::chown(folder.constData(), 4321, 4321), 0);
    QCOMPARE(::chown((folder + "a.txt").constData(), 4321, 4321), 0);
    break;
  case Obstacle::CancelledAfterAChunk:
  case Obstacle::SavedOverAfterTheCopy:
    break;
  }
}

} // namespace

Q_DECLARE_METATYPE(VolumeSetup)
Q_DECLARE_METATYPE(Meanwhile)
Q_DECLARE_METATYPE(platform::TrashRefusal)
Q_DECLARE_METATYPE(CrashPoint)
Q_DECLARE_METATYPE(Obstacle)

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
  void copyRefusedOrCancelledLeavesTheFile_data();
  void copyRefusedOrCancelledLeavesTheFile();
  void unfinishedStepsAreCleanedUp_data();
  void unfinishedStepsAreCleanedUp();
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

void TestTrash::copyRefusedOrCancelledLeavesTheFile_data()
{
  QTest::addColumn<Obstacle>("obstacle");
  QTest::addColumn<int>("error");
  QTest::addColumn<int>("reports");
  QTest::addRow("read-only volume: refused before the copy") << Obstacle::ReadOnlyVolume << EROFS << 0;
  QTest::addRow("folder not writable: refused before the copy") << Obstacle::FolderNotWritable << EACCES << 0;
  QTest::addRow("sticky folder, another's file: refused before the copy")
      << Obstacle::StickyFolderOfAnother << EPERM << 0;
  QTest::addRow("cancelled after a chunk") << Obstacle::CancelledAfterAChunk << ECANCELED << 2;
  QTest::addRow("saved over by rename after the copy")
      << Obstacle::SavedOverAfterTheCopy << platform::SourceChanged << 3;
}

void TestTrash::copyRefusedOrCancelledLeavesTheFile()
{
  QFETCH(Obstacle, obstacle);
  QFETCH(int, error);
  QFETCH(int, reports);
  FileTestEnvironment environment;
  const QByteArray volume = environment.home() + "/volume";
  const ScratchVolume mounted(volume);
  if (!mounted.isMounted())
    QSKIP("mounting a file system needs root");
  const QByteArray folder = volume + "/shown/";
  MakeFolder(folder);
  const QByteArray contents(20 << 20, 'c');
  MakeFile(folder + "a.txt", contents);
  PrepareVolume(volume, VolumeSetup::OwnTrashIsFile);
  // Nor for the restricted subject: its copies go to its home trash too.
  MakeFile(volume + "/.Trash-" + QByteArray::number(kNobody), "not a folder");
  const QByteArray dataHome = PrepareReadOnlyFolder(environment).dataHome;
  PrepareObstacle(obstacle, volume, folder);
  int calls = 0;
  const platform::CopyProgress progress = [&](qint64 done, qint64 total) {
    if (obstacle == Obstacle::SavedOverAfterTheCopy && done == total) {
      Overwrite(folder + "saving", "saved", O_CREAT | O_EXCL);
      ::rename((folder + "saving").constData(), (folder + "a.txt").constData());
    }
    ++calls;
    return !(obstacle == Obstacle::CancelledAfterAChunk && calls == 2);
  };
  const auto trash = [&] {
    const platform::TrashedFile trashed = platform::MoveToTrash(folder + "a.txt", progress);
    return calls > 0 && reports == 0 ? 254 : trashed.result.Error();
  };
  const bool restricted = obstacle == Obstacle::FolderNotWritable || obstacle == Obstacle::StickyFolderOfAnother;

  const int result = !restricted ? trash() : RunRestricted([&] {
    qputenv("XDG_DATA_HOME", dataHome);
    return trash();
  });

  QCOMPARE(result, error);
  QCOMPARE(calls, restricted ? 0 : reports);
  QCOMPARE(ReadFile(folder + "a.txt"), obstacle == Obstacle::SavedOverAfterTheCopy ? "saved" : contents);
  QCOMPARE(Names(folder), QList<QByteArray>{"a.txt"});
  for (const QByteArray &trashFolder : {HomeTrash(environment), dataHome + "Trash"})
    QCOMPARE(Names(trashFolder + "/files") + Names(trashFolder + "/info"), QList<QByteArray>{});
}

void TestTrash::unfinishedStepsAreCleanedUp_data()
{
  QTest::addColumn<CrashPoint>("point");
  QTest::addColumn<QList<QByteArray>>("left");
  const QList<QByteArray> original{"shown/a.txt"};
  QTest::addRow("drop copy killed") << CrashPoint::DropCopyStarted << original;
  QTest::addRow("copy to the trash killed") << CrashPoint::TrashCopyHalfway << original;
  QTest::addRow("record without its file") << CrashPoint::RecordWithoutItsFile << original;
  QTest::addRow("record whose file arrived: kept")
      << CrashPoint::RecordWithItsFile << QList<QByteArray>{"shown/a.txt", "files/a.txt", "info/a.txt.trashinfo"};
  QTest::addRow("another program's record: kept")
      << CrashPoint::RecordOfAnotherProgram << QList<QByteArray>{"shown/a.txt", "info/a.txt.trashinfo"};
  QTest::addRow("original aside: renamed back") << CrashPoint::OriginalTakenAside << original;
  QTest::addRow("original aside, its name taken: numbered")
      << CrashPoint::OriginalTakenAsideNameRetaken << QList<QByteArray>{"shown/a (2).txt", "shown/a.txt"};
  QTest::addRow("step of a live process: untouched")
      << CrashPoint::StepStillRunning << QList<QByteArray>{"shown/.tarnview-aside-test", "to/.tarnview-copy-live"};
}

void TestTrash::unfinishedStepsAreCleanedUp()
{
  QFETCH(CrashPoint, point);
  QFETCH(QList<QByteArray>, left);
  const QByteArray putBackAs = point == CrashPoint::OriginalTakenAsideNameRetaken ? "a (2).txt" : "";
  FileTestEnvironment environment;
  const QByteArray home = environment.home();
  std::optional<ScratchVolume> volume;
  const bool onVolume = point == CrashPoint::TrashCopyHalfway;
  if (onVolume && !volume.emplace(home + "/volume").isMounted())
    QSKIP("mounting a file system needs root");
  if (onVolume)
    PrepareVolume(home + "/volume", VolumeSetup::OwnTrashIsFile);
  const QByteArray folder = onVolume ? home + "/volume/shown/" : environment.makeFolder("shown");
  if (onVolume)
    MakeFolder(folder);
  environment.makeFolder("to");
  environment.makeFolder(".xdg_data_home/Trash/files");
  environment.makeFolder(".xdg_data_home/Trash/info");
  const QByteArray contents(20 << 20, 'c');
  MakeFile(folder + "a.txt", contents);
  std::optional<platform::JournalEntry> running;
  LeaveUnfinished(point, folder, home, &running);
  if (point != CrashPoint::StepStillRunning && point != CrashPoint::RecordWithItsFile &&
      point != CrashPoint::RecordOfAnotherProgram)
    QVERIFY(Leftovers(folder, home) != left);

  const QList<QByteArray> putBack = platform::CleanUpUnfinishedWork();

  QCOMPARE(Leftovers(folder, home), left);
  QCOMPARE(putBack, putBackAs.isEmpty() ? QList<QByteArray>{} : QList<QByteArray>{folder + putBackAs});
  QCOMPARE(Names(home + "/.xdg_state_home/tarnview").size(), point == CrashPoint::StepStillRunning ? 1 : 0);
  if (point != CrashPoint::StepStillRunning)
    QCOMPARE(ReadFile(folder + (putBackAs.isEmpty() ? "a.txt" : putBackAs)), contents);
}

QTEST_GUILESS_MAIN(TestTrash)
#include "test_trash.moc"
