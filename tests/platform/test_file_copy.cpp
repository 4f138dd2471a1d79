#include <QtTest>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_copy.h"
#include "tests/support/file_test_support.h"
#include "tests/support/test_environment.h"

using namespace tv;
using namespace tv::test;

namespace {

void SetModificationTime(const QByteArray &path, time_t seconds, long nanoseconds)
{
  const struct timespec times[2] = {{0, UTIME_OMIT}, {seconds, nanoseconds}};
  QVERIFY(::utimensat(AT_FDCWD, path.constData(), times, 0) == 0);
}

} // namespace

class TestFileCopy : public QObject {
  Q_OBJECT
private slots:
  void copyKeepsContentsTimeAndPermissions_data();
  void copyKeepsContentsTimeAndPermissions();
  void copyRefusesWhatItMustNotTouch_data();
  void copyRefusesWhatItMustNotTouch();
  void unreadableSourceOrReadOnlyTargetLeavesNothing_data();
  void unreadableSourceOrReadOnlyTargetLeavesNothing();
  void sparseFileOverAGigabyteKeepsItsSizeAndHoles();
  void progressComesPerChunkAndCancelLeavesNothing_data();
  void progressComesPerChunkAndCancelLeavesNothing();
  void numberedNames_data();
  void numberedNames();
};

void TestFileCopy::copyKeepsContentsTimeAndPermissions_data()
{
  QTest::addColumn<QByteArray>("name");
  QTest::addColumn<QByteArray>("contents");
  QTest::addColumn<int>("mode");
  QTest::addColumn<int>("copiedMode");
  QTest::addColumn<int>("durability");
  const QByteArray large = QByteArray(3 << 20, 'x') + "end";
  const auto normal = int(platform::Durability::Normal);
  QTest::addRow("plain") << QByteArray("a.txt") << QByteArray("text\n") << 0644 << 0644 << normal;
  QTest::addRow("empty") << QByteArray("empty") << QByteArray() << 0600 << 0600 << normal;
  QTest::addRow("larger than one chunk") << QByteArray("big.bin") << large << 0640 << 0640 << normal;
  QTest::addRow("executable") << QByteArray("run.sh") << QByteArray("#!/bin/sh\n") << 0755 << 0755 << normal;
  QTest::addRow("set-user-id dropped") << QByteArray("suid") << QByteArray("s") << 04755 << 0755 << normal;
  QTest::addRow("set-group-id dropped") << QByteArray("sgid") << QByteArray("g") << 02750 << 0750 << normal;
  QTest::addRow("read-only") << QByteArray("ro") << QByteArray("r") << 0444 << 0444 << normal;
  QTest::addRow("not UTF-8, newline, dash") << QByteArray("-\xff\nname") << QByteArray("n") << 0644 << 0644 << normal;
  QTest::addRow("flushed") << QByteArray("flushed") << large << 0644 << 0644 << int(platform::Durability::Flushed);
}

void TestFileCopy::copyKeepsContentsTimeAndPermissions()
{
  QFETCH(QByteArray, name);
  QFETCH(QByteArray, contents);
  QFETCH(int, mode);
  QFETCH(int, copiedMode);
  QFETCH(int, durability);
  FileTestEnvironment environment;
  const QByteArray source = environment.makeFolder("from") + name;
  const QByteArray target = environment.makeFolder("to") + name;
  MakeFile(source, contents, mode_t(mode));
  SetModificationTime(source, 1234567890, 123456789);
  const auto sourceBefore = Snapshot(environment.home() + "/from");

  const platform::Result result = platform::CopyRegularFile(source, target, platform::Durability(durability));

  QVERIFY2(result.Ok(), qPrintable(result.Description()));
  QCOMPARE(ReadFile(target), contents);
  const struct stat copied = StatOf(target);
  QCOMPARE(int(copied.st_mode & 07777), copiedMode);
  QCOMPARE(copied.st_mtim.tv_sec, 1234567890);
  QCOMPARE(copied.st_mtim.tv_nsec, 123456789);
  QCOMPARE(Names(environment.home() + "/to"), QList<QByteArray>{name});
  QCOMPARE(Snapshot(environment.home() + "/from"), sourceBefore);
}

void TestFileCopy::copyRefusesWhatItMustNotTouch_data()
{
  QTest::addColumn<QByteArray>("source");
  QTest::addColumn<int>("error");
  QTest::addRow("existing target") << QByteArray("file") << EEXIST;
  QTest::addRow("folder") << QByteArray("folder") << EISDIR;
  QTest::addRow("pipe, without waiting") << QByteArray("pipe") << EOPNOTSUPP;
  QTest::addRow("socket") << QByteArray("socket") << EOPNOTSUPP;
  QTest::addRow("device") << QByteArray("/dev/null") << EOPNOTSUPP;
  QTest::addRow("link to a pipe") << QByteArray("link-to-pipe") << EOPNOTSUPP;
  QTest::addRow("broken link") << QByteArray("broken") << ENOENT;
  QTest::addRow("vanished") << QByteArray("missing") << ENOENT;
  QTest::addRow("data ends before the size") << ShortReadFile() << platform::SourceChanged;
}

void TestFileCopy::copyRefusesWhatItMustNotTouch()
{
  QFETCH(QByteArray, source);
  QFETCH(int, error);
  if (source.isEmpty())
    QSKIP(kNoShortReadFile);
  FileTestEnvironment environment;
  const QByteArray from = environment.makeFolder("from");
  const QByteArray to = environment.makeFolder("to");
  MakeFile(from + "file", "new");
  MakeEntriesThatAreNotFiles(from);
  MakeFile(to + "file", "old");
  const auto before = Snapshot(environment.home());
  const QByteArray path = source.startsWith('/') ? source : from + source;
  const QByteArray target = to + (source == "file" ? "file" : "copy");

  QCOMPARE(platform::CopyRegularFile(path, target).Error(), error);
  QCOMPARE(Snapshot(environment.home()), before);
}

void TestFileCopy::unreadableSourceOrReadOnlyTargetLeavesNothing_data()
{
  QTest::addColumn<int>("sourceFolderMode");
  QTest::addColumn<int>("sourceMode");
  QTest::addColumn<int>("targetFolderMode");
  // Closed to the owner too, so that the cases hold when the tests do not run as root.
  QTest::addRow("source folder closed") << 0000 << 0644 << 0777;
  QTest::addRow("source unreadable") << 0755 << 0000 << 0777;
  QTest::addRow("target folder read-only") << 0755 << 0644 << 0555;
}

void TestFileCopy::unreadableSourceOrReadOnlyTargetLeavesNothing()
{
  QFETCH(int, sourceFolderMode);
  QFETCH(int, sourceMode);
  QFETCH(int, targetFolderMode);
  FileTestEnvironment environment;
  OpenForPassage(environment.home());
  const QByteArray from = environment.makeFolder("from");
  const QByteArray to = environment.makeFolder("to");
  MakeFile(from + "a.txt", "A", mode_t(sourceMode));
  QVERIFY(::chmod(from.constData(), mode_t(sourceFolderMode)) == 0);
  QVERIFY(::chmod(to.constData(), mode_t(targetFolderMode)) == 0);
  const auto before = Snapshot(environment.home());

  QCOMPARE(RunRestricted([&] { return platform::CopyRegularFile(from + "a.txt", to + "a.txt").Error(); }), EACCES);
  QCOMPARE(Snapshot(environment.home()), before);
}

void TestFileCopy::sparseFileOverAGigabyteKeepsItsSizeAndHoles()
{
  FileTestEnvironment environment;
  const QByteArray source = environment.makeFolder("from") + "huge.img";
  const QByteArray target = environment.makeFolder("to") + "huge.img";
  const off_t size = (off_t(1) << 30) + 4096 * 3 + 17;
  const int fd = ::open(source.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  QVERIFY(fd >= 0);
  QCOMPARE(::pwrite(fd, "start", 5, 0), 5);
  QCOMPARE(::pwrite(fd, "middle", 6, off_t(512) << 20), 6);
  QCOMPARE(::ftruncate(fd, size), 0);
  ::close(fd);

  QVERIFY(platform::CopyRegularFile(source, target).Ok());

  const struct stat copied = StatOf(target);
  QCOMPARE(copied.st_size, size);
  QVERIFY2(copied.st_blocks * 512 < (off_t(64) << 20), "the holes were filled in");
  char bytes[6] = {};
  const int copy = ::open(target.constData(), O_RDONLY | O_CLOEXEC);
  QCOMPARE(::pread(copy, bytes, 5, 0), 5);
  QCOMPARE(QByteArray(bytes, 5), QByteArray("start"));
  QCOMPARE(::pread(copy, bytes, 6, off_t(512) << 20), 6);
  QCOMPARE(QByteArray(bytes, 6), QByteArray("middle"));
  QCOMPARE(::pread(copy, bytes, 1, size - 1), 1);
  QCOMPARE(bytes[0], '\0');
  ::close(copy);
}

void TestFileCopy::progressComesPerChunkAndCancelLeavesNothing_data()
{
  QTest::addColumn<qint64>("size");
  QTest::addColumn<int>("cancelAt");
  QTest::addColumn<QList<qint64>>("reports");
  const qint64 chunk = qint64(16) << 20;
  const qint64 large = 2 * chunk + 5;
  QTest::addRow("small file: start and end") << qint64(5) << -1 << QList<qint64>{0, 5};
  QTest::addRow("each chunk") << large << -1 << QList<qint64>{0, chunk, 2 * chunk, large};
  QTest::addRow("cancelled at the start") << large << 0 << QList<qint64>{0};
  QTest::addRow("cancelled after a chunk") << large << 1 << QList<qint64>{0, chunk};
  QTest::addRow("cancelled at the end") << large << 3 << QList<qint64>{0, chunk, 2 * chunk, large};
}

void TestFileCopy::progressComesPerChunkAndCancelLeavesNothing()
{
  QFETCH(qint64, size);
  QFETCH(int, cancelAt);
  QFETCH(QList<qint64>, reports);
  FileTestEnvironment environment;
  const QByteArray source = environment.makeFolder("from") + "a.bin";
  const QByteArray to = environment.makeFolder("to");
  MakeFile(source, QByteArray(size, 'x'));
  const auto before = Snapshot(environment.home() + "/from");
  QList<qint64> reported;
  const platform::CopyProgress progress = [&](qint64 done, qint64 total) {
    reported.append(done);
    return total == size && reported.size() - 1 != cancelAt;
  };

  const platform::Result result =
      platform::CopyRegularFile(source, to + "a.bin", platform::Durability::Normal, progress);

  QCOMPARE(reported, reports);
  QCOMPARE(result.Error(), cancelAt < 0 ? 0 : ECANCELED);
  QCOMPARE(Names(to), cancelAt < 0 ? QList<QByteArray>{"a.bin"} : QList<QByteArray>{});
  QCOMPARE(Snapshot(environment.home() + "/from"), before);
  QCOMPARE(Names(environment.home() + "/.xdg_state_home/tarnview"), QList<QByteArray>{});
}

void TestFileCopy::numberedNames_data()
{
  QTest::addColumn<QByteArray>("name");
  QTest::addColumn<int>("number");
  QTest::addColumn<int>("maxBytes");
  QTest::addColumn<QByteArray>("expected");
  QTest::addRow("first keeps the name") << QByteArray("report.txt") << 1 << 255 << QByteArray("report.txt");
  QTest::addRow("second") << QByteArray("report.txt") << 2 << 255 << QByteArray("report (2).txt");
  QTest::addRow("last extension only") << QByteArray("a.tar.gz") << 3 << 255 << QByteArray("a.tar (3).gz");
  QTest::addRow("no extension") << QByteArray("README") << 2 << 255 << QByteArray("README (2)");
  QTest::addRow("hidden file") << QByteArray(".profile") << 2 << 255 << QByteArray(".profile (2)");
  QTest::addRow("hidden with extension") << QByteArray(".x.conf") << 2 << 255 << QByteArray(".x (2).conf");
  QTest::addRow("not UTF-8") << QByteArray("\xff.\xfe") << 12 << 255 << QByteArray("\xff (12).\xfe");
  QTest::addRow("shortened to fit") << QByteArray("abcdef.txt") << 2 << 10 << QByteArray("ab (2).txt");
  QTest::addRow("first shortened too") << QByteArray("abcdef.txt") << 1 << 8 << QByteArray("abcd.txt");
  QTest::addRow("never half a character") << QByteArray("ab\xc3\xa9.txt") << 2 << 11 << QByteArray("ab (2).txt");
  QTest::addRow("extension too long to keep") << QByteArray("a.abcdefgh") << 2 << 8 << QByteArray("a.ab (2)");
}

void TestFileCopy::numberedNames()
{
  QFETCH(QByteArray, name);
  QFETCH(int, number);
  QFETCH(int, maxBytes);
  QFETCH(QByteArray, expected);
  QCOMPARE(platform::NumberedName(name, number, maxBytes), expected);
}

QTEST_GUILESS_MAIN(TestFileCopy)
#include "test_file_copy.moc"
