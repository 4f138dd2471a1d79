// The window's responsiveness while the disk works: the longest time its event loop does not
// run, measured by how late a 5 ms timer fires, while the main window
//   6a. lists 1,001,000 entries (and, its own figure, how long the rows take to go into the
//       view on the window's thread);
//   6b. moves a 400 MB file to the trash by copying it (from a bind mount, so that the file
//       is on another mount than the home's trash);
//   6c. opens a folder on a FUSE drive that never answers.
// Each figure is the median of the per-run maxima. Usage: bench_responsiveness WORK_FOLDER
// (bench/run.sh gives it the work folder, where the 1,001,000 entries may already be).
// Exits with 1 when a target is missed; a part that cannot run here says why it is skipped.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <QTreeView>
#include <cstdio>
#include <functional>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "app/main_window.h"
#include "app/main_window_jobs.h"
#include "app/program.h"
#include "bench_folders.h"
#include "first_paint.h"
#include "ops/delete.h"
#include "tests/support/dead_drive.h"

namespace {

using bench::MonotonicNanoseconds;

constexpr int Runs = 5;
constexpr qint64 TrashFileBytes = 400LL * 1024 * 1024;
constexpr int TimerIntervalMs = 5;
constexpr int FolderTimeoutMs = 120'000;
// Long enough for the dead drive's folder to be told not answering, and for a while after.
constexpr int DeadDriveWatchMs = 2500;
// Time for the rows' first paints after a listing is shown.
constexpr int AfterListingMs = 100;

// How late a 5 ms timer fires, at worst, while it runs: the longest stretch in which the
// event loop did not run, less the interval.
class LoopWatch : public QObject {
public:
  LoopWatch()
  {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(TimerIntervalMs);
    connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
    lastTick_ = MonotonicNanoseconds();
    timer_.start();
  }
  // The worst lateness so far, in milliseconds, counting the stretch up to now.
  double WorstLateness()
  {
    Tick();
    return worst_;
  }
  // Monotonic nanoseconds of the latest tick.
  qint64 LastTick() const { return lastTick_; }

private:
  void Tick()
  {
    const qint64 now = MonotonicNanoseconds();
    worst_ = std::max(worst_, static_cast<double>(now - lastTick_) / 1e6 - TimerIntervalMs);
    lastTick_ = now;
  }

  QTimer timer_;
  qint64 lastTick_ = 0;
  double worst_ = 0;
};

// Runs the event loop until the condition holds or the time is up; false when it is up.
bool RunLoopUntil(const std::function<bool()> &done, int timeoutMs)
{
  QElapsedTimer elapsed;
  elapsed.start();
  QTimer wakeUp; // the loop looks at the condition at least this often
  wakeUp.start(10);
  while (!done()) {
    if (elapsed.hasExpired(timeoutMs))
      return false;
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  return true;
}

void RunLoopFor(int milliseconds)
{
  QElapsedTimer elapsed;
  elapsed.start();
  RunLoopUntil([&] { return elapsed.hasExpired(milliseconds); }, milliseconds + 1000);
}

// Lets the window settle: its listing shown, its rows painted, nothing left queued.
void Settle(tv::TForm1 &window)
{
  RunLoopUntil([&] { return !window.Busy(); }, FolderTimeoutMs);
  QCoreApplication::processEvents();
  window.ListView1->repaint();
}

bool allMet = true;

void Report(const char *target, double figure, double limit)
{
  const bool met = figure <= limit;
  allMet = allMet && met;
  std::printf("%-62s %8.1f ms  <= %5.1f ms  %s\n", target, figure, limit, met ? "met" : "MISSED");
  std::fflush(stdout);
}

void Skip(const char *target, const QString &reason)
{
  std::printf("%-62s skipped: %s\n", target, qPrintable(reason));
  std::fflush(stdout);
}

struct ListingFigures {
  double lateness = 0;
  double rowsIntoView = 0; // from the model's reset until the event loop runs again
  double leaving = 0;      // lateness while going on to an empty folder
};

ListingFigures MeasureListing(tv::TForm1 &window, const QByteArray &large, const QByteArray &empty)
{
  ListingFigures figures;
  qint64 resetStart = 0;
  const QMetaObject::Connection reset =
      QObject::connect(window.ListView1->model(), &QAbstractItemModel::modelAboutToBeReset,
                       [&] { resetStart = MonotonicNanoseconds(); });
  {
    LoopWatch watch;
    window.OpenFolder(large);
    RunLoopUntil([&] { return !window.ListingPending(); }, FolderTimeoutMs);
    // The rows are in; the figure ends when the loop has run again and painted them.
    RunLoopUntil([&] { return watch.LastTick() > resetStart; }, FolderTimeoutMs);
    figures.rowsIntoView = static_cast<double>(watch.LastTick() - resetStart) / 1e6;
    RunLoopFor(AfterListingMs);
    const bool allShown = window.ListView1->model()->rowCount() == bench::LargeFileCount + bench::FolderCount;
    figures.lateness = allShown ? watch.WorstLateness() : qInf();
  }
  QObject::disconnect(reset);
  LoopWatch watch;
  window.OpenFolder(empty);
  Settle(window);
  figures.leaving = watch.WorstLateness();
  return figures;
}

void RunListing(tv::TForm1 &window, const QByteArray &large, const QByteArray &empty)
{
  std::vector<double> lateness, rows, leaving;
  for (int run = -1; run < Runs; ++run) { // the first run warms the caches
    const ListingFigures figures = MeasureListing(window, large, empty);
    if (run < 0)
      continue;
    lateness.push_back(figures.lateness);
    rows.push_back(figures.rowsIntoView);
    leaving.push_back(figures.leaving);
  }
  Report("6a. window not running while listing 1,001,000 entries", bench::Median(lateness), 100);
  std::printf("%-62s %8.1f ms\n", "    of which rows into the view on the window's thread", bench::Median(rows));
  std::printf("%-62s %8.1f ms\n", "    window not running when leaving them (no target)", bench::Median(leaving));
  std::fflush(stdout);
}

bool WriteFile(const QByteArray &path, qint64 bytes)
{
  QFile file(QFile::decodeName(path));
  if (!file.open(QIODevice::WriteOnly))
    return false;
  const QByteArray chunk(4 * 1024 * 1024, 'x');
  for (qint64 written = 0; written < bytes; written += chunk.size())
    if (file.write(chunk) != chunk.size())
      return false;
  return file.flush() && ::fsync(file.handle()) == 0;
}

// A folder reached through a bind mount of a folder on the home's volume: a file there is
// on another mount than the home's trash, so moving it to the trash copies it.
class BoundFolder {
public:
  explicit BoundFolder(const QByteArray &work) : real_(work + "trash-source"), bound_(work + "trash-bound")
  {
    mounted_ = ::mkdir(real_.constData(), 0755) == 0 && ::mkdir(bound_.constData(), 0755) == 0 &&
               ::mount(real_.constData(), bound_.constData(), nullptr, MS_BIND, nullptr) == 0;
  }
  ~BoundFolder()
  {
    if (mounted_)
      ::umount2(bound_.constData(), MNT_DETACH);
  }
  BoundFolder(const BoundFolder &) = delete;
  BoundFolder &operator=(const BoundFolder &) = delete;
  bool isMounted() const { return mounted_; }
  QByteArray folder() const { return bound_ + '/'; }

private:
  QByteArray real_, bound_;
  bool mounted_ = false;
};

struct TrashFigures {
  double lateness = qInf();
  double milliseconds = qInf(); // the move itself, to show that it copied
};

// One move to the trash as the window runs it; infinite figures on failure.
TrashFigures MeasureTrash(tv::TForm1 &window, const BoundFolder &bound, const QByteArray &trashFiles)
{
  const QByteArray path = bound.folder() + "big.bin";
  if (!WriteFile(path, TrashFileBytes))
    return {};
  ::sync();
  bool done = false;
  QString failure;
  LoopWatch watch;
  const qint64 start = MonotonicNanoseconds();
  window.RunInFolder(
      bound.folder(), [path] { return tv::ops::RecycleFile(path, QStringLiteral("big.bin"), tv::LanguageOf(true)); },
      [&](const QString &message) {
        failure = message;
        done = true;
      });
  const bool finished = RunLoopUntil([&] { return done; }, FolderTimeoutMs);
  const TrashFigures figures{watch.WorstLateness(), static_cast<double>(MonotonicNanoseconds() - start) / 1e6};
  QDir(QFile::decodeName(trashFiles)).removeRecursively();
  QDir(QFile::decodeName(trashFiles + "/../info")).removeRecursively();
  return finished && failure.isEmpty() && !QFile::exists(QFile::decodeName(path)) ? figures : TrashFigures{};
}

void RunTrash(tv::TForm1 &window, const QByteArray &work)
{
  const char *const target = "6b. window not running while trashing 400 MB by copying";
  if (::geteuid() != 0)
    return Skip(target, QStringLiteral("the bind mount that makes the move a copy needs root"));
  const BoundFolder bound(work);
  if (!bound.isMounted())
    return Skip(target, QStringLiteral("the bind mount that makes the move a copy cannot be made here"));
  const QByteArray trashFiles = qgetenv("XDG_DATA_HOME") + "/Trash/files";
  std::vector<double> lateness, durations;
  for (int run = 0; run < Runs; ++run) {
    const TrashFigures figures = MeasureTrash(window, bound, trashFiles);
    lateness.push_back(figures.lateness);
    durations.push_back(figures.milliseconds);
  }
  Report(target, bench::Median(lateness), 50);
  std::printf("%-62s %8.1f ms\n", "    the move itself took", bench::Median(durations));
  std::fflush(stdout);
}

// Opens a folder on a fresh drive that never answers, watches the window for a while, goes on
// to an empty folder and stops the drive (its stuck call then returns, and is dropped).
double MeasureDeadDrive(tv::TForm1 &window, const QByteArray &empty, QString &failure)
{
  tv::test::DeadDrive drive;
  if (!drive.isMounted()) {
    failure = drive.failure();
    return qInf();
  }
  LoopWatch watch;
  window.OpenFolder(drive.mountPoint());
  RunLoopFor(DeadDriveWatchMs);
  window.OpenFolder(empty);
  const double lateness = watch.WorstLateness();
  drive.stop();
  Settle(window);
  return lateness;
}

void RunDeadDrive(tv::TForm1 &window, const QByteArray &empty)
{
  const char *const target = "6c. window not running while a folder never answers";
  if (const QString reason = tv::test::DeadDrive::Unavailable(); !reason.isEmpty())
    return Skip(target, reason);
  std::vector<double> figures;
  QString failure;
  for (int run = 0; run < Runs && failure.isEmpty(); ++run)
    figures.push_back(MeasureDeadDrive(window, empty, failure));
  if (!failure.isEmpty())
    return Skip(target, failure);
  Report(target, bench::Median(figures), 50);
}

void DropQtMessages(QtMsgType, const QMessageLogContext &, const QString &) {}

} // namespace

int main(int argc, char *argv[])
{
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s WORK_FOLDER (bench/run.sh runs it)\n", argv[0]);
    return 2;
  }
  qInstallMessageHandler(DropQtMessages); // the figures are the output
  qputenv("QT_QPA_PLATFORM", "offscreen");
  const QByteArray work = QByteArray(argv[1]) + '/', large = work + "m1/", empty = work + "empty/";
  bench::UseOwnHome(work);
  std::printf("Responsiveness: medians of %d runs of the worst timer lateness (5 ms timer)\n", Runs);
  std::fflush(stdout);
  struct stat status;
  const bool made = (::stat(large.constData(), &status) == 0 ||
                     bench::MakeFolder(large, bench::LargeFileCount, bench::FolderCount)) &&
                    (::stat(empty.constData(), &status) == 0 || bench::MakeFolder(empty, 0, 0));
  if (!made) {
    std::fprintf(stderr, "could not make the folders in %s\n", work.constData());
    return 2;
  }
  ::sync();

  QApplication application(argc, argv);
  tv::Program program;
  tv::TForm1 &window = *program.Form1;
  window.show();
  window.OpenFolder(empty);
  Settle(window);
  RunListing(window, large, empty);
  RunTrash(window, work);
  RunDeadDrive(window, empty);
  std::printf(allMet ? "All responsiveness targets met.\n" : "Some responsiveness targets MISSED.\n");
  std::fflush(stdout);
  // Threads may still be held by the drives' aborted calls: end without waiting for them.
  ::_exit(allMet ? 0 : 1);
}
