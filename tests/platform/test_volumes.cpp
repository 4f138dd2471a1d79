#include <QElapsedTimer>
#include <QtTest>
#include <thread>

#include "platform/volumes.h"

using namespace tv;
using namespace std::chrono_literals;

namespace {

// One mountinfo line for a mount of a device.
QByteArray Line(int id, const char *device, const char *root, const char *mountPoint, const char *type,
                const char *source)
{
  return QByteArray::number(id) + " 1 " + device + ' ' + root + ' ' + mountPoint + " rw,relatime shared:1 - " + type +
         ' ' + source + " rw\n";
}

using MountPoints = std::vector<QByteArray>;

} // namespace

class TestVolumes : public QObject {
  Q_OBJECT
private slots:
  void parsesMountInfoWithEscapes();
  void selectsTheVolumesDfShows_data();
  void selectsTheVolumesDfShows();
  void aQueryThatDoesNotAnswerCountsAsFailed();
  void listsTheRootVolumeWithItsSpace();
};

void TestVolumes::parsesMountInfoWithEscapes()
{
  const QByteArray text = "36 35 98:0 /mnt1 /mnt/my\\040disk\\011tab rw,noatime master:1 - ext3 /dev/root rw\n"
                          "garbage line\n"
                          "27 1 254:0 / / rw - ext4 /dev/vda rw";
  const std::vector<platform::MountEntry> mounts = platform::parseMountInfo(text);
  QCOMPARE(mounts.size(), size_t(2));
  QCOMPARE(mounts[0].device, QByteArray("98:0"));
  QCOMPARE(mounts[0].root, QByteArray("/mnt1"));
  QCOMPARE(mounts[0].mountPoint, QByteArray("/mnt/my disk\ttab"));
  QCOMPARE(mounts[0].fsType, QByteArray("ext3"));
  QCOMPARE(mounts[0].source, QByteArray("/dev/root"));
  QCOMPARE(mounts[1].mountPoint, QByteArray("/"));
}

void TestVolumes::selectsTheVolumesDfShows_data()
{
  QTest::addColumn<QByteArray>("mountInfo");
  QTest::addColumn<MountPoints>("expected");

  QTest::newRow("in order of mount point")
      << Line(1, "8:2", "/", "/home", "ext4", "/dev/sda2") + Line(2, "8:1", "/", "/", "ext4", "/dev/sda1") +
             Line(3, "0:40", "/", "/run", "tmpfs", "tmpfs")
      << MountPoints{"/", "/home", "/run"};
  QTest::newRow("pseudo file systems left out")
      << Line(1, "8:1", "/", "/", "ext4", "/dev/sda1") + Line(2, "0:21", "/", "/proc", "proc", "proc") +
             Line(3, "0:22", "/", "/sys", "sysfs", "sysfs") + Line(4, "0:23", "/", "/dev/pts", "devpts", "devpts") +
             Line(5, "0:24", "/", "/net", "autofs", "auto.net") +
             Line(6, "0:25", "/", "/sys/fs/cgroup", "cgroup2", "cgroup2")
      << MountPoints{"/"};
  QTest::newRow("a bind mount shows once, as the device's root")
      << Line(1, "8:1", "/srv/data", "/data", "ext4", "/dev/sda1") + Line(2, "8:1", "/", "/", "ext4", "/dev/sda1")
      << MountPoints{"/"};
  QTest::newRow("a real device wins over a name")
      << Line(1, "0:50", "/", "/a", "fuse.sshfs", "remote") + Line(2, "0:50", "/", "/b", "fuse.sshfs", "/dev/x")
      << MountPoints{"/b"};
  QTest::newRow("of two equal mounts the shorter mount point")
      << Line(1, "0:30", "/", "/mnt/longer", "tmpfs", "tmpfs") + Line(2, "0:30", "/", "/mnt/a", "tmpfs", "tmpfs")
      << MountPoints{"/mnt/a"};
  QTest::newRow("a mount over a mount point shows the top one")
      << Line(1, "0:30", "/", "/dev/shm", "tmpfs", "tmpfs") + Line(2, "0:31", "/", "/dev/shm", "tmpfs", "tmpfs")
      << MountPoints{"/dev/shm"};
  QTest::newRow("a pseudo file system mounted over hides what is below")
      << Line(1, "8:1", "/", "/", "ext4", "/dev/sda1") + Line(2, "8:3", "/", "/x", "ext4", "/dev/sda3") +
             Line(3, "0:24", "/", "/x", "autofs", "map")
      << MountPoints{"/"};
}

void TestVolumes::selectsTheVolumesDfShows()
{
  QFETCH(QByteArray, mountInfo);
  QFETCH(MountPoints, expected);
  QCOMPARE(platform::selectVolumes(platform::parseMountInfo(mountInfo)), expected);
}

void TestVolumes::aQueryThatDoesNotAnswerCountsAsFailed()
{
  const auto query = [](const QByteArray &mountPoint) {
    if (mountPoint == "/dead")
      std::this_thread::sleep_for(3s);
    return platform::VolumeSpace{true, 1000, 250};
  };
  QElapsedTimer clock;
  clock.start();
  const std::vector<platform::VolumeSpace> spaces = platform::querySpaces({"/", "/dead", "/home"}, 200ms, query);
  QVERIFY2(clock.elapsed() < 2000, "the caller waited for the dead mount");
  QCOMPARE(spaces.size(), size_t(3));
  QVERIFY(spaces[0].answered && spaces[2].answered);
  QCOMPARE(spaces[2].available, qint64(250));
  QVERIFY(!spaces[1].answered);
  QCOMPARE(spaces[1].total, qint64(-1));
}

void TestVolumes::listsTheRootVolumeWithItsSpace()
{
  const std::vector<platform::Volume> volumes = platform::mountedVolumes();
  const auto root =
      std::find_if(volumes.begin(), volumes.end(), [](const auto &volume) { return volume.mountPoint == "/"; });
  QVERIFY(root != volumes.end());
  QVERIFY(root->space.answered);
  QVERIFY(root->space.total > 0);
  QVERIFY(root->space.available >= 0 && root->space.available <= root->space.total);
  for (const platform::Volume &volume : volumes)
    QVERIFY2(!volume.space.answered || volume.space.total > 0, volume.mountPoint.constData());
}

QTEST_GUILESS_MAIN(TestVolumes)
#include "test_volumes.moc"
