// Copies a drop of many small files and of one large file into a folder, as a drop on the
// window does, and compares the time with GNU cp doing the same copies (keeping mode and
// time, never replacing). Prints the times and the ratio; "batch" is the same copies naming
// their temporary files in one journal entry for the whole drop.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "ops/drop.h"
#include "platform/file_copy.h"

namespace {

void WriteFile(const QByteArray &path, qint64 size)
{
  const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  const QByteArray block(int(std::min<qint64>(size, 1 << 20)), 'x');
  for (qint64 written = 0; written < size; written += block.size())
    if (::write(fd, block.constData(), block.size()) < 0)
      break;
  ::close(fd);
}

double CopyWithTarnview(const QByteArray &target, const QList<QByteArray> &sources)
{
  QElapsedTimer timer;
  timer.start();
  tv::ops::CopyDroppedFiles(target, sources);
  return timer.nsecsElapsed() / 1e6;
}

double CopyInOneBatch(const QByteArray &target, const QList<QByteArray> &sources)
{
  QElapsedTimer timer;
  timer.start();
  tv::platform::CopyJournal journal;
  for (const QByteArray &source : sources)
    tv::platform::CopyRegularFile(source, target + source.mid(source.lastIndexOf('/') + 1),
                                  tv::platform::Durability::Normal, {}, &journal);
  return timer.nsecsElapsed() / 1e6;
}

double CopyWithCp(const QByteArray &target, const QList<QByteArray> &sources)
{
  QStringList arguments{QStringLiteral("-n"), QStringLiteral("--preserve=mode,timestamps")};
  for (const QByteArray &source : sources)
    arguments << QString::fromUtf8(source);
  arguments << QString::fromUtf8(target);
  QElapsedTimer timer;
  timer.start();
  QProcess::execute(QStringLiteral("cp"), arguments);
  return timer.nsecsElapsed() / 1e6;
}

void Compare(const char *what, const QList<QByteArray> &sources, const QByteArray &root)
{
  static int round = 0;
  const QByteArray ours = root + "/ours" + QByteArray::number(round) + '/';
  const QByteArray batch = root + "/batch" + QByteArray::number(round) + '/';
  const QByteArray theirs = root + "/cp" + QByteArray::number(round++) + '/';
  for (const QByteArray &folder : {ours, batch, theirs})
    ::mkdir(folder.constData(), 0755);
  ::sync();
  const double tarnview = CopyWithTarnview(ours, sources);
  ::sync();
  const double batched = CopyInOneBatch(batch, sources);
  ::sync();
  const double cp = CopyWithCp(theirs, sources);
  std::printf("%-22s tarnview %8.1f ms  batch %8.1f ms  cp %7.1f ms  ratio %.2f / %.2f\n", what, tarnview, batched, cp,
              tarnview / cp, batched / cp);
}

} // namespace

int main(int argc, char **argv)
{
  QCoreApplication application(argc, argv);
  QTemporaryDir dir;
  const QByteArray root = dir.path().toUtf8();
  const QByteArray from = root + "/from/";
  ::mkdir(from.constData(), 0755);

  QList<QByteArray> small;
  for (int number = 0; number < 1000; ++number) {
    small << from + "small " + QByteArray::number(number) + ".txt";
    WriteFile(small.last(), 4096);
  }
  const QByteArray large = from + "large.bin";
  WriteFile(large, qint64(256) << 20);

  Compare("1,000 files of 4 KiB", small, root);
  Compare("one file of 256 MiB", {large}, root);
  return 0;
}
