#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <condition_variable>
#include <map>
#include <mutex>
#include <sys/mount.h>
#include <sys/stat.h>

#include "platform/volumes.h"
#include "tests/support/restricted_run.h"

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

// A mountinfo line for a file system on a device of its own.
QByteArray Mount(const char *mountPoint, const char *type)
{
  static int device = 100;
  ++device;
  return Line(device, ("9:" + QByteArray::number(device)).constData(), "/", mountPoint, type, "/dev/x");
}

using MountPoints = std::vector<QByteArray>;
// What stat of a mount point tells where it differs from mountinfo's device; elsewhere the
// lookup knows nothing and mountinfo's device stands, as it would.
using Devices = std::map<QByteArray, QByteArray>;

// Holds looks at chosen mount points until it opens, so that they answer late for sure.
struct Gate {
  std::mutex mutex;
  std::condition_variable opened;
  bool open = false;

  void wait()
  {
    std::unique_lock lock(mutex);
    opened.wait(lock, [this] { return open; });
  }
  void release()
  {
    const std::lock_guard lock(mutex);
    open = true;
    opened.notify_all();
  }
};

// Runs a command; its standard output, or nothing when it failed.
std::optional<QByteArray> Command(const QString &program, const QStringList &arguments)
{
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
    return std::nullopt;
  return process.readAllStandardOutput();
}

// A loop device over a file, for the life of the object; empty path when none could be had.
class LoopDevice {
public:
  explicit LoopDevice(const QString &file)
      : path_(Command("losetup", {"--find", "--show", file}).value_or(QByteArray()).trimmed())
  {
  }
  ~LoopDevice()
  {
    if (!path_.isEmpty())
      Command("losetup", {"--detach", QString::fromLocal8Bit(path_)});
  }
  LoopDevice(const LoopDevice &) = delete;
  LoopDevice &operator=(const LoopDevice &) = delete;
  const QByteArray &path() const { return path_; }

private:
  QByteArray path_;
};

// A btrfs subvolume mounted on a folder, for the life of the object.
class MountedSubvolume {
public:
  MountedSubvolume(const QByteArray &device, const QByteArray &subvolume, const QByteArray &target)
      : target_(target),
        mounted_(::mount(device.constData(), target.constData(), "btrfs", 0, ("subvol=" + subvolume).constData()) == 0)
  {
  }
  ~MountedSubvolume()
  {
    if (mounted_)
      ::umount2(target_.constData(), MNT_DETACH);
  }
  MountedSubvolume(const MountedSubvolume &) = delete;
  MountedSubvolume &operator=(const MountedSubvolume &) = delete;
  bool isMounted() const { return mounted_; }

private:
  QByteArray target_;
  bool mounted_;
};

bool Lists(const std::vector<platform::Volume> &volumes, const QByteArray &mountPoint)
{
  return std::any_of(volumes.begin(), volumes.end(), [&](const auto &volume) {
    return volume.mountPoint == mountPoint && volume.space.answered && volume.space.total > 0;
  });
}

// Samples of /proc/self/mountinfo as typical installations have them.
const char FedoraOnBtrfs[] =
    "59 1 0:30 /root / rw,relatime shared:1 - btrfs /dev/nvme0n1p3 rw,seclabel,compress=zstd:1,ssd,"
    "space_cache=v2,subvolid=257,subvol=/root\n"
    "60 59 0:5 / /dev rw,nosuid shared:2 - devtmpfs devtmpfs rw,seclabel,size=4096k,nr_inodes=4039412,mode=755\n"
    "61 60 0:22 / /dev/shm rw,nosuid,nodev shared:3 - tmpfs tmpfs rw,seclabel,inode64\n"
    "62 60 0:23 / /dev/pts rw,nosuid,noexec,relatime shared:4 - devpts devpts rw,seclabel,gid=5,mode=620\n"
    "63 59 0:24 / /sys rw,nosuid,nodev,noexec,relatime shared:5 - sysfs sysfs rw,seclabel\n"
    "64 63 0:26 / /sys/fs/cgroup rw,nosuid,nodev,noexec,relatime shared:6 - cgroup2 cgroup2 rw,seclabel\n"
    "65 63 0:27 / /sys/fs/selinux rw,nosuid,noexec,relatime shared:7 - selinuxfs selinuxfs rw\n"
    "66 59 0:21 / /proc rw,nosuid,nodev,noexec,relatime shared:12 - proc proc rw\n"
    "67 59 0:25 / /run rw,nosuid,nodev shared:13 - tmpfs tmpfs rw,seclabel,size=3240012k,mode=755,inode64\n"
    "94 59 0:35 / /tmp rw,nosuid,nodev shared:40 - tmpfs tmpfs rw,seclabel,nr_inodes=1048576,inode64\n"
    "96 59 259:2 / /boot rw,relatime shared:42 - ext4 /dev/nvme0n1p2 rw,seclabel\n"
    "98 96 259:1 / /boot/efi rw,relatime shared:44 - vfat /dev/nvme0n1p1 rw,fmask=0077,dmask=0077\n"
    "100 59 0:30 /home /home rw,relatime shared:46 - btrfs /dev/nvme0n1p3 rw,seclabel,compress=zstd:1,ssd,"
    "space_cache=v2,subvolid=256,subvol=/home\n"
    "450 67 0:47 / /run/user/1000 rw,nosuid,nodev,relatime shared:253 - tmpfs tmpfs rw,seclabel,mode=700,uid=1000\n"
    "470 450 0:49 / /run/user/1000/doc rw,nosuid,nodev,relatime shared:263 - fuse.portal portal rw,user_id=1000\n";

const char UbuntuDesktopWithSnaps[] =
    "25 1 0:31 /@ / rw,relatime shared:1 - btrfs /dev/sda2 rw,ssd,space_cache=v2,subvolid=256,subvol=/@\n"
    "26 25 0:5 / /dev rw,nosuid,relatime shared:2 - devtmpfs udev rw,size=3995340k,mode=755,inode64\n"
    "27 26 0:23 / /dev/pts rw,nosuid,noexec,relatime shared:3 - devpts devpts rw,gid=5,mode=620,ptmxmode=000\n"
    "28 25 0:24 / /run rw,nosuid,nodev,noexec,relatime shared:5 - tmpfs tmpfs rw,size=804868k,mode=755,inode64\n"
    "30 25 0:6 / /sys/kernel/security rw,nosuid,nodev,noexec,relatime shared:8 - securityfs securityfs rw\n"
    "31 26 0:26 / /dev/shm rw,nosuid,nodev shared:4 - tmpfs tmpfs rw,inode64\n"
    "32 28 0:27 / /run/lock rw,nosuid,nodev,noexec,relatime shared:6 - tmpfs tmpfs rw,size=5120k,inode64\n"
    "40 25 7:0 / /snap/core22/1122 ro,nodev,relatime shared:12 - squashfs /dev/loop0 ro,errors=continue\n"
    "41 25 7:1 / /snap/firefox/3836 ro,nodev,relatime shared:13 - squashfs /dev/loop1 ro,errors=continue\n"
    "45 25 0:31 /@home /home rw,relatime shared:30 - btrfs /dev/sda2 rw,ssd,space_cache=v2,subvolid=257,"
    "subvol=/@home\n"
    "46 25 8:1 / /boot/efi rw,relatime shared:31 - vfat /dev/sda1 rw,fmask=0077,dmask=0077\n"
    "47 28 0:24 /snapd/ns /run/snapd/ns rw,nosuid,nodev,noexec,relatime - tmpfs tmpfs rw,size=804868k,mode=755\n"
    "48 47 0:4 mnt:[4026532603] /run/snapd/ns/firefox.mnt rw - nsfs nsfs rw\n"
    "49 25 0:31 /@/usr/share/hunspell /var/snap/firefox/common/host-hunspell ro,noexec,noatime shared:32 - btrfs "
    "/dev/sda2 rw,ssd,space_cache=v2,subvolid=256,subvol=/@\n"
    "50 28 0:45 / /run/user/1000 rw,nosuid,nodev,relatime shared:400 - tmpfs tmpfs rw,size=804864k,mode=700\n"
    "51 50 0:46 / /run/user/1000/gvfs rw,nosuid,nodev,relatime shared:410 - fuse.gvfsd-fuse gvfsd-fuse "
    "rw,user_id=1000,group_id=1000\n"
    "52 25 0:31 /@log /var/log rw,relatime shared:33 - btrfs /dev/sda2 rw,ssd,subvolid=258,subvol=/@log\n"
    "53 25 0:50 / /var/lib/docker/overlay2/3e1f/merged rw - overlay overlay rw,lowerdir=/var/lib/docker/l/A\n"
    "54 28 0:4 net:[4026532711] /run/docker/netns/1a2b rw - nsfs nsfs rw\n"
    "55 25 8:17 / /media/ada/STICK rw,nosuid,nodev,relatime shared:501 - vfat /dev/sdb1 rw,uid=1000\n"
    "56 25 8:33 / /mnt/share rw,relatime shared:35 - ext4 /dev/sdc1 rw\n"
    "57 25 8:34 / /mnt/old\\040disk rw,relatime shared:36 - ext4 /dev/sdc2 rw\n"
    "58 25 0:52 / /home/ada/remote rw,nosuid,nodev,relatime shared:502 - fuse.sshfs ada@nas:/ rw,user_id=1000\n"
    "59 25 0:53 / /home/ada/.local/share/containers/storage/overlay/9c/merged rw - fuse.fuse-overlayfs a rw\n";

const char OpenSuseOnBtrfs[] =
    "22 1 0:27 /@/.snapshots/1/snapshot / ro,relatime shared:1 - btrfs /dev/vda2 ro,space_cache=v2,subvolid=266,"
    "subvol=/@/.snapshots/1/snapshot\n"
    "23 22 0:5 / /dev rw,nosuid shared:2 - devtmpfs devtmpfs rw,size=4096k,nr_inodes=1048576,mode=755\n"
    "24 22 0:21 / /proc rw,nosuid,nodev,noexec,relatime shared:12 - proc proc rw\n"
    "25 22 0:22 / /sys rw,nosuid,nodev,noexec,relatime shared:5 - sysfs sysfs rw\n"
    "26 22 0:24 / /run rw,nosuid,nodev shared:13 - tmpfs tmpfs rw,size=1625420k,nr_inodes=819200,mode=755\n"
    "48 22 0:27 /@/.snapshots /.snapshots rw,relatime shared:26 - btrfs /dev/vda2 rw,space_cache=v2,subvolid=265,"
    "subvol=/@/.snapshots\n"
    "49 22 0:27 /@/boot/grub2/x86_64-efi /boot/grub2/x86_64-efi rw,relatime shared:28 - btrfs /dev/vda2 "
    "rw,space_cache=v2,subvolid=263,subvol=/@/boot/grub2/x86_64-efi\n"
    "50 22 0:27 /@/home /home rw,relatime shared:30 - btrfs /dev/vda2 rw,space_cache=v2,subvolid=264,subvol=/@/home\n"
    "51 22 0:27 /@/opt /opt rw,relatime shared:32 - btrfs /dev/vda2 rw,space_cache=v2,subvolid=262,subvol=/@/opt\n"
    "52 22 0:27 /@/root /root rw,relatime shared:34 - btrfs /dev/vda2 rw,space_cache=v2,subvolid=261,subvol=/@/root\n"
    "53 22 0:27 /@/srv /srv rw,relatime shared:36 - btrfs /dev/vda2 rw,space_cache=v2,subvolid=260,subvol=/@/srv\n"
    "54 22 0:27 /@/usr/local /usr/local rw,relatime shared:38 - btrfs /dev/vda2 rw,space_cache=v2,subvolid=259,"
    "subvol=/@/usr/local\n"
    "55 22 0:27 /@/var /var rw,relatime shared:40 - btrfs /dev/vda2 rw,space_cache=v2,subvolid=258,subvol=/@/var\n"
    "56 22 254:1 / /boot/efi rw,relatime shared:42 - vfat /dev/vda1 rw,fmask=0022,dmask=0022\n";

const char DockerContainer[] =
    "600 500 0:52 / / rw,relatime master:300 - overlay overlay rw,lowerdir=/var/lib/docker/overlay2/l/Q2OF:/var/lib/"
    "docker/overlay2/l/7ZKA,upperdir=/var/lib/docker/overlay2/e1c4/diff,workdir=/var/lib/docker/overlay2/e1c4/work\n"
    "601 600 0:55 / /proc rw,nosuid,nodev,noexec,relatime - proc proc rw\n"
    "602 600 0:56 / /dev rw,nosuid - tmpfs tmpfs rw,size=65536k,mode=755,inode64\n"
    "603 602 0:57 / /dev/pts rw,nosuid,noexec,relatime - devpts devpts rw,gid=5,mode=620,ptmxmode=666\n"
    "604 600 0:58 / /sys ro,nosuid,nodev,noexec,relatime - sysfs sysfs ro\n"
    "605 604 0:30 / /sys/fs/cgroup ro,nosuid,nodev,noexec,relatime - cgroup2 cgroup rw,nsdelegate\n"
    "606 602 0:54 / /dev/mqueue rw,nosuid,nodev,noexec,relatime - mqueue mqueue rw\n"
    "607 602 0:59 / /dev/shm rw,nosuid,nodev,noexec,relatime - tmpfs shm rw,size=65536k,inode64\n"
    "608 600 8:1 /var/lib/docker/containers/3f2a9c/resolv.conf /etc/resolv.conf rw,relatime - ext4 /dev/sda1 rw\n"
    "609 600 8:1 /var/lib/docker/containers/3f2a9c/hostname /etc/hostname rw,relatime - ext4 /dev/sda1 rw\n"
    "610 600 8:1 /var/lib/docker/containers/3f2a9c/hosts /etc/hosts rw,relatime - ext4 /dev/sda1 rw\n"
    "611 600 0:40 /@/srv/shared /data rw,relatime - btrfs /dev/sdb1 rw,space_cache=v2,subvolid=256,subvol=/@\n"
    "612 601 0:55 /bus /proc/bus ro,nosuid,nodev,noexec,relatime - proc proc rw\n"
    "616 601 0:60 / /proc/acpi ro,relatime - tmpfs tmpfs ro,inode64\n"
    "617 601 0:56 /null /proc/kcore rw,nosuid - tmpfs tmpfs rw,size=65536k,mode=755,inode64\n"
    "618 601 0:56 /null /proc/keys rw,nosuid - tmpfs tmpfs rw,size=65536k,mode=755,inode64\n"
    "620 601 0:61 / /proc/scsi ro,relatime - tmpfs tmpfs ro,inode64\n"
    "621 604 0:62 / /sys/firmware ro,relatime - tmpfs tmpfs ro,inode64\n";

const char UbuntuLive[] = "30 1 0:32 / / rw - overlay /cow rw,lowerdir=/installer.squashfs,upperdir=/cow/upper\n"
                          "31 30 11:0 / /cdrom ro - iso9660 /dev/sr0 ro\n"
                          "32 30 7:1 / /rofs ro - squashfs /dev/loop1 ro\n"
                          "33 30 7:2 / /snap/firefox/4173 ro - squashfs /dev/loop2 ro\n"
                          "34 30 0:35 / /tmp rw - tmpfs tmpfs rw\n"
                          "35 30 8:17 / /media/ubuntu/STICK rw - exfat /dev/sdb1 rw\n";

} // namespace

class TestVolumes : public QObject {
  Q_OBJECT
private slots:
  void parsesMountInfoWithEscapes();
  void selectsTheDrives_data();
  void selectsTheDrives();
  void readsFstabWithinItsLimit();
  void keepsMountsThatAnswerOrAreLate();
  void aMountThatDoesNotAnswerIsNotAskedAgain();
  void listsTheRootVolumeWithItsSpace();
  void listsEachMountedBtrfsSubvolume();
};

void TestVolumes::parsesMountInfoWithEscapes()
{
  const QByteArray text = "36 35 98:0 /mnt1 /mnt/my\\040disk\\011tab rw,noatime master:1 - ext3 /dev/root rw\n"
                          "garbage line\n"
                          "27 1 254:0 / / rw - ext4 /dev/vda rw";
  const std::vector<platform::MountEntry> mounts = platform::ParseMountInfo(text);
  QCOMPARE(mounts.size(), size_t(2));
  QCOMPARE(mounts[0].device, QByteArray("98:0"));
  QCOMPARE(mounts[0].root, QByteArray("/mnt1"));
  QCOMPARE(mounts[0].mountPoint, QByteArray("/mnt/my disk\ttab"));
  QCOMPARE(mounts[0].fsType, QByteArray("ext3"));
  QCOMPARE(mounts[0].source, QByteArray("/dev/root"));
  QCOMPARE(mounts[1].mountPoint, QByteArray("/"));
}

void TestVolumes::selectsTheDrives_data()
{
  QTest::addColumn<QByteArray>("mountInfo");
  QTest::addColumn<QByteArray>("fstab");
  QTest::addColumn<QByteArray>("home");
  QTest::addColumn<Devices>("devices");
  QTest::addColumn<MountPoints>("expected");
  const QByteArray none;

  QTest::newRow("in order of mount point")
      << Line(1, "8:2", "/", "/home", "ext4", "/dev/sda2") + Line(2, "8:1", "/", "/", "ext4", "/dev/sda1") +
             Line(3, "0:40", "/", "/mnt/data", "xfs", "/dev/sdb1")
      << none << none << Devices{} << MountPoints{"/", "/home", "/mnt/data"};
  QTest::newRow("pseudo file systems left out")
      << Line(1, "8:1", "/", "/", "ext4", "/dev/sda1") + Line(2, "0:21", "/", "/proc", "proc", "proc") +
             Line(3, "0:22", "/", "/sys", "sysfs", "sysfs") + Line(4, "0:23", "/", "/dev/pts", "devpts", "devpts") +
             Line(5, "0:24", "/", "/net", "autofs", "auto.net") +
             Line(6, "0:25", "/", "/sys/fs/cgroup", "cgroup2", "cgroup2")
      << none << none << Devices{} << MountPoints{"/"};
  QTest::newRow("a bind mount shows once, as the device's root")
      << Line(1, "8:1", "/srv/data", "/data", "ext4", "/dev/sda1") + Line(2, "8:1", "/", "/", "ext4", "/dev/sda1")
      << none << none << Devices{} << MountPoints{"/"};
  QTest::newRow("a real device wins over a name")
      << Line(1, "0:50", "/", "/a", "fuse.sshfs", "remote") + Line(2, "0:50", "/", "/b", "fuse.sshfs", "/dev/x") << none
      << none << Devices{} << MountPoints{"/b"};
  QTest::newRow("of two equal mounts the shorter mount point")
      << Line(1, "8:5", "/", "/mnt/longer", "ext4", "/dev/sdc1") + Line(2, "8:5", "/", "/mnt/a", "ext4", "/dev/sdc1")
      << none << none << Devices{} << MountPoints{"/mnt/a"};
  QTest::newRow("a mount over a mount point: the top one counts")
      << Line(1, "8:5", "/", "/mnt/x", "ext4", "/dev/sdc1") + Line(2, "0:31", "/", "/mnt/x", "tmpfs", "tmpfs") << none
      << none << Devices{} << MountPoints{};
  QTest::newRow("a pseudo file system mounted over hides what is below")
      << Line(1, "8:1", "/", "/", "ext4", "/dev/sda1") + Line(2, "8:3", "/", "/x", "ext4", "/dev/sda3") +
             Line(3, "0:24", "/", "/x", "autofs", "map")
      << none << none << Devices{} << MountPoints{"/"};
  QTest::newRow("network mounts of one server's exports stay apart")
      << Line(1, "8:1", "/", "/", "ext4", "/dev/sda1") + Line(2, "0:60", "/a", "/mnt/a", "nfs4", "nas:/export/a") +
             Line(3, "0:60", "/b", "/mnt/b", "nfs4", "nas:/export/b")
      << none << none << Devices{} << MountPoints{"/", "/mnt/a", "/mnt/b"};
  QTest::newRow("\"/\" shows even where stat cannot tell its device from a bigger mount's")
      << Line(1, "0:31", "/@", "/", "btrfs", "/dev/sda2") + Line(2, "0:31", "/", "/mnt/pool", "btrfs", "/dev/sda2")
      << QByteArray("/dev/sda2 / btrfs x-gvfs-hide 0 0") << none << Devices{} << MountPoints{"/"};
  const QByteArray placesAndTypes =
      Mount("/", "overlay") + Mount("/tank", "zfs") + Mount("/mnt/host", "virtiofs") + Mount("/mnt/9p", "9p") +
      Mount("/mnt/ram", "ramfs") + Mount("/mnt/img", "erofs") + Mount("/mnt/o", "overlay") + Mount("/opt", "ext4") +
      Mount("/opt/data", "ext4") + Mount("/usr/local", "ext4") + Mount("/efi", "vfat") + Mount("/var/lib/vms", "xfs") +
      Mount("/snapshots", "xfs") + Mount("/run/media/ada/X", "exfat") + Mount("/run/mnt", "ext4") +
      Mount("/data/.hidden/x", "ext4") + Mount("/root", "btrfs") + Mount("/home/ada/in", "tmpfs") +
      Mount("/home/ada/.x/y", "ext4") + Mount("/home/ada/y", "ext4");
  QTest::newRow("places and types") << placesAndTypes << none << QByteArray("/home/ada") << Devices{}
                                    << MountPoints{"/",         "/home/ada/y",      "/mnt/9p",    "/mnt/host",
                                                   "/opt/data", "/run/media/ada/X", "/snapshots", "/tank"};
  QTest::newRow("fstab: show, then hide, then the rest")
      << Mount("/mnt/old\\040disk", "ext4") + Mount("/var/lib/vms", "xfs") + Mount("/mnt/ram", "tmpfs") +
             Mount("/mnt/a", "ext4") + Mount("/mnt/b", "ext4") + Mount("/tmp", "ext4")
      << QByteArray("# <file system> <mount point> <type> <options> <dump> <pass>\n"
                    "UUID=1 /mnt/old\\040disk ext4 defaults,x-gvfs-hide 0 2\n"
                    "UUID=2\t/var/lib/vms\txfs\tx-gvfs-show\t0\t2\n"
                    "tmpfs /mnt/ram/ tmpfs x-gvfs-hide,x-gvfs-show 0 0\n"
                    "UUID=3 /mnt/a ext4 x-gvfs-hide 0 2\nUUID=3 /mnt/a ext4 defaults 0 2\n"
                    "  # UUID=4 /mnt/b ext4 x-gvfs-hide 0 2\n")
      << QByteArray("/") << Devices{} << MountPoints{"/mnt/a", "/mnt/b", "/mnt/ram", "/var/lib/vms"};

  // Each btrfs subvolume has a device of its own for stat, all share mountinfo's.
  QTest::newRow("Fedora on btrfs") << QByteArray(FedoraOnBtrfs) << none << none
                                   << Devices{{"/", "0:31"}, {"/home", "0:32"}} << MountPoints{"/", "/home"};
  const Devices openSuse = {{"/", "0:28"},     {"/.snapshots", "0:29"}, {"/boot/grub2/x86_64-efi", "0:30"},
                            {"/home", "0:31"}, {"/opt", "0:32"},        {"/root", "0:33"},
                            {"/srv", "0:34"},  {"/usr/local", "0:35"},  {"/var", "0:36"}};
  QTest::newRow("openSUSE on btrfs, root from a snapshot")
      << QByteArray(OpenSuseOnBtrfs) << none << QByteArray("/home/ada") << openSuse << MountPoints{"/", "/home"};
  QTest::newRow("openSUSE for root") << QByteArray(OpenSuseOnBtrfs) << none << QByteArray("/root") << openSuse
                                     << MountPoints{"/", "/home", "/root"};
  QTest::newRow("a container on overlay") << QByteArray(DockerContainer) << none << none << Devices{{"/data", "0:41"}}
                                          << MountPoints{"/", "/data", "/etc/hosts"};
  QTest::newRow("Ubuntu desktop with snaps, on btrfs")
      << QByteArray(UbuntuDesktopWithSnaps) << QByteArray("UUID=9 /mnt/old\\040disk ext4 defaults,x-gvfs-hide 0 2\n")
      << QByteArray("/home/ada") << Devices{{"/", "0:32"}, {"/home", "0:33"}, {"/var/log", "0:34"}}
      << MountPoints{"/", "/home", "/home/ada/remote", "/media/ada/STICK", "/mnt/share", "/var/log"};
  QTest::newRow("Ubuntu live") << QByteArray(UbuntuLive) << none << QByteArray("/home/ubuntu") << Devices{}
                               << MountPoints{"/", "/cdrom", "/media/ubuntu/STICK"};
}

void TestVolumes::selectsTheDrives()
{
  QFETCH(QByteArray, mountInfo);
  QFETCH(QByteArray, fstab);
  QFETCH(QByteArray, home);
  QFETCH(Devices, devices);
  QFETCH(MountPoints, expected);
  const auto deviceOf = [&](const QByteArray &mountPoint) -> std::optional<QByteArray> {
    const auto found = devices.find(mountPoint);
    return found == devices.end() ? std::nullopt : std::optional(found->second);
  };
  const platform::DriveRules rules{platform::ParseFstab(fstab), home};
  QCOMPARE(platform::SelectVolumes(platform::ParseMountInfo(mountInfo), rules, deviceOf), expected);
}

void TestVolumes::readsFstabWithinItsLimit()
{
  const QTemporaryDir dir;
  const QByteArray fifo = QFile::encodeName(dir.filePath("fifo"));
  QVERIFY(::mkfifo(fifo.constData(), 0600) == 0);
  QVERIFY(platform::ReadFstab(fifo).empty()); // opened blocking, it would wait for a writer
  QFile file(dir.filePath("fstab"));
  const QByteArray seen = "a /seen ext4 x-gvfs-show 0 0\n";
  const QByteArray padding = QByteArray(platform::FstabReadLimit - seen.size() - 10, '#') + '\n';
  QVERIFY(file.open(QIODevice::WriteOnly) && file.write(seen + padding + "a /cut ext4 x-gvfs-show 0 0\n") > 0);
  file.close();
  QVERIFY(platform::ReadFstab(QFile::encodeName(file.fileName())) ==
          (platform::FstabMarks{{"/seen", platform::FstabMark::Show}}));
}

void TestVolumes::keepsMountsThatAnswerOrAreLate()
{
  const std::vector<platform::MountEntry> mounts = platform::ParseMountInfo(
      Line(1, "8:1", "/", "/", "ext4", "/dev/sda1") + Line(2, "0:46", "/", "/mnt/bob", "fuse.sshfs", "bob@nas:/") +
      Line(3, "0:50", "/", "/mnt/nas", "nfs4", "nas:/export") + Line(4, "0:51", "/", "/mnt/empty", "9p", "host") +
      Line(5, "8:9", "/c/hosts", "/etc/hosts", "ext4", "/dev/sdb1") + Line(6, "0:52", "/", "/run/lock", "tmpfs", "t"));
  using Rows = QList<QPair<QByteArray, qint64>>;
  const auto rows = [](const std::vector<platform::Volume> &volumes) {
    Rows result;
    for (const platform::Volume &volume : volumes)
      result.append({volume.mountPoint, volume.space.answered ? volume.space.total : -1});
    return result;
  };
  const platform::MountReport report = {
      {"/", platform::MountFacts{"8:1", {true, 1000, 250}}},
      {"/mnt/bob", platform::MountFacts{std::nullopt, {}}}, // space query refused
      {"/mnt/nas", std::nullopt},                           // no answer in time
      {"/mnt/empty", platform::MountFacts{"0:51", {true, 0, 0}}},
      {"/etc/hosts", platform::MountFacts{"8:9", {true, 1000, 250}, false}},
  };
  QCOMPARE(rows(platform::VolumesFrom(mounts, {}, report)), (Rows{{"/", 1000}, {"/mnt/nas", -1}}));

  // Without threads nothing answers, and every drive is kept without sizes.
  platform::MountLooks noThreads([](const QByteArray &) { return platform::MountFacts{}; },
                                 [](std::function<void()>) { return false; });
  const platform::MountReport unanswered = noThreads.Ask(platform::DriveMountPoints(mounts, {}), std::chrono::hours(1));
  QCOMPARE(rows(platform::VolumesFrom(mounts, {}, unanswered)),
           (Rows{{"/", -1}, {"/etc/hosts", -1}, {"/mnt/bob", -1}, {"/mnt/empty", -1}, {"/mnt/nas", -1}}));
}

void TestVolumes::aMountThatDoesNotAnswerIsNotAskedAgain()
{
  const auto gate = std::make_shared<Gate>();
  int started = 0;
  platform::MountLooks looks(
      [gate](const QByteArray &) {
        gate->wait();
        return platform::MountFacts{"0:50", {true, 1000, 250}};
      },
      [&](std::function<void()> task) {
        ++started;
        return platform::TryStartDetachedThread(std::move(task));
      });
  QVERIFY(!looks.Ask({"/dead"}, 10ms).at("/dead"));
  QVERIFY(!looks.Ask({"/dead"}, 10ms).at("/dead"));
  QCOMPARE(started, 1);
  gate->release();
  const std::optional<platform::MountFacts> late = looks.Ask({"/dead"}, std::chrono::hours(1)).at("/dead");
  QVERIFY(late && late->space.available == 250);
}

void TestVolumes::listsTheRootVolumeWithItsSpace()
{
  const std::vector<platform::Volume> volumes = platform::MountedVolumes();
  const auto root =
      std::find_if(volumes.begin(), volumes.end(), [](const auto &volume) { return volume.mountPoint == "/"; });
  QVERIFY(root != volumes.end());
  QVERIFY(root->space.answered);
  QVERIFY(root->space.total > 0);
  QVERIFY(root->space.available >= 0 && root->space.available <= root->space.total);
  for (const platform::Volume &volume : volumes)
    QVERIFY2(!volume.space.answered || volume.space.total > 0, volume.mountPoint.constData());
}

void TestVolumes::listsEachMountedBtrfsSubvolume()
{
  if (!test::RunsAsRoot())
    QSKIP("mounting a btrfs needs root");
  const QTemporaryDir dir;
  const QByteArray base = QFile::encodeName(dir.path()) + '/';
  QFile image(dir.filePath("btrfs.img"));
  QVERIFY(image.open(QIODevice::WriteOnly) && image.resize(256 << 20));
  image.close();
  if (!Command("mkfs.btrfs", {"--quiet", image.fileName()}))
    QSKIP("mkfs.btrfs could not make a file system");
  const LoopDevice loop(image.fileName());
  if (loop.path().isEmpty())
    QSKIP("no loop device to be had");
  QVERIFY(::mkdir(base + "top", 0755) == 0 && ::mkdir(base + "first", 0755) == 0 &&
          ::mkdir(base + "second", 0755) == 0);
  {
    const MountedSubvolume top(loop.path(), "/", base + "top");
    if (!top.isMounted())
      QSKIP("btrfs cannot be mounted here");
    QVERIFY(Command("btrfs", {"subvolume", "create", dir.filePath("top/one")}));
    QVERIFY(Command("btrfs", {"subvolume", "create", dir.filePath("top/two")}));
  }
  const MountedSubvolume first(loop.path(), "one", base + "first");
  const MountedSubvolume second(loop.path(), "two", base + "second");
  QVERIFY(first.isMounted() && second.isMounted());

  const std::vector<platform::Volume> volumes = platform::MountedVolumes();
  QVERIFY(Lists(volumes, base + "first"));
  QVERIFY(Lists(volumes, base + "second"));
}

QTEST_GUILESS_MAIN(TestVolumes)
#include "test_volumes.moc"
