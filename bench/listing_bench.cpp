// Listing at scale, measured against programs everyone has, in the same run. Each figure
// is a median; each target is a ratio:
//   1. OpenFolder on 100,000 files and 1,000 folders (rows built, sorted, model filled,
//      first screen painted, offscreen) against `ls -l` and `find -printf` on that folder;
//   2. the same on 1,000,000 files against `ls -l`, and its cost per entry against 1.;
//   3. peak resident size showing 1,000,000 entries less that showing an empty folder,
//      per entry, each in a process of its own;
//   4. sorting the rows of 1. by each title against `sort -f` of the same names;
//   5. process start to first listing painted (a folder of 100 entries) against a
//      minimal Qt Widgets program that shows one empty window, on the same display.
// Usage: bench_listing WORK_FOLDER MINIMAL_WINDOW_PROGRAM. bench/run.sh builds the programs,
// gives them an empty work folder and removes it afterwards. Exits with 1 when a target is
// missed. `bench_listing --profile FOLDER` lists a folder and sorts it once, for callgrind.
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTreeView>
#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "app/main_window.h"
#include "app/program.h"
#include "bench_folders.h"
#include "first_paint.h"

extern char **environ;

namespace {

using bench::FolderCount;
using bench::FolderNameOf;
using bench::LargeFileCount;
using bench::MakeFolder;
using bench::Median;
using bench::MonotonicNanoseconds;
using bench::NameOf;
using bench::SmallFileCount;
using bench::UseOwnHome;

constexpr int StartFolderFiles = 98; // with the program and its Settings.ini: 100 entries

bool WriteText(const QByteArray &path, const QByteArray &text)
{
  QFile file(QFile::decodeName(path));
  return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

// The names shown for a folder made by MakeFolder, one a line.
QByteArray NameList(int files, int folders)
{
  QByteArray list;
  for (int i = 0; i < folders; ++i)
    list += FolderNameOf(i) + '\n';
  for (int i = 0; i < files; ++i)
    list += NameOf(i) + '\n';
  return list;
}

struct Outcome {
  qint64 started = 0; // monotonic nanoseconds just before the program was started
  double milliseconds = 0;
  QByteArray output;
  bool ok = false;
};

// Runs a program to its end, its input read from a file, its output thrown away or
// captured, its errors thrown away (a failure shows as !ok). posix_spawn costs the same
// however large this process has grown.
Outcome Run(const QList<QByteArray> &command, bool capture = false, const QByteArray &input = "/dev/null")
{
  std::vector<char *> argv;
  for (const QByteArray &argument : command)
    argv.push_back(const_cast<char *>(argument.constData()));
  argv.push_back(nullptr);
  int pipeEnds[2] = {-1, -1};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, input.constData(), O_RDONLY, 0);
  if (capture && ::pipe2(pipeEnds, O_CLOEXEC) == 0)
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
  else
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  Outcome outcome;
  outcome.started = MonotonicNanoseconds();
  pid_t child = 0;
  const bool spawned = ::posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ) == 0;
  posix_spawn_file_actions_destroy(&actions);
  if (pipeEnds[1] >= 0)
    ::close(pipeEnds[1]);
  if (spawned) {
    char buffer[4096];
    for (ssize_t got; pipeEnds[0] >= 0 && (got = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
      outcome.output.append(buffer, got);
    int status = 0;
    ::waitpid(child, &status, 0);
    outcome.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }
  outcome.milliseconds = static_cast<double>(MonotonicNanoseconds() - outcome.started) / 1e6;
  if (pipeEnds[0] >= 0)
    ::close(pipeEnds[0]);
  return outcome;
}

// Milliseconds a program takes to its end; infinite when it fails.
double TimeProgram(const QList<QByteArray> &command, const QByteArray &input = "/dev/null")
{
  const Outcome outcome = Run(command, false, input);
  return outcome.ok ? outcome.milliseconds : qInf();
}

// Runs each measurement once to warm the caches, then `repetitions` times in turn, so that
// a busy moment of the machine falls on all of them alike. The medians, in order.
std::vector<double> Medians(int repetitions, const std::vector<std::function<double()>> &measurements)
{
  std::vector<std::vector<double>> figures(measurements.size());
  for (int round = -1; round < repetitions; ++round)
    for (size_t i = 0; i < measurements.size(); ++i) {
      const double figure = measurements[i]();
      if (round >= 0)
        figures[i].push_back(figure);
    }
  std::vector<double> medians;
  for (const std::vector<double> &values : figures)
    medians.push_back(Median(values));
  return medians;
}

bool allMet = true;

// Prints one target: our median, the other median, the ratio and its limit.
void Report(const char *target, double ours, const char *other, double theirs, const char *unit, double limit)
{
  const double ratio = ours / theirs;
  allMet = allMet && ratio <= limit;
  std::printf("%-44s %10.1f %-3s %-22s %10.1f %-3s %6.2f  <= %.2f  %s\n", target, ours, unit, other, theirs, unit,
              ratio, limit, ratio <= limit ? "met" : "MISSED");
}

// Waits for the listing, which comes from a thread of its own, then paints its first screen.
void ShowFirstScreen(tv::TForm1 &window)
{
  while (window.Busy())
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  QCoreApplication::processEvents();
  window.ListView1->repaint();
}

double TimeOpenFolder(tv::TForm1 &window, const QByteArray &folder, const QByteArray &emptyFolder)
{
  window.OpenFolder(emptyFolder); // as a user who enters the folder from a small one
  ShowFirstScreen(window);
  const qint64 start = MonotonicNanoseconds();
  window.OpenFolder(folder);
  ShowFirstScreen(window);
  return static_cast<double>(MonotonicNanoseconds() - start) / 1e6;
}

using Click = void (tv::TForm1::*)();

// A sort by one title, from the order of another so that the rows are not in order yet.
double TimeSort(tv::TForm1 &window, Click before, Click title)
{
  (window.*before)();
  ShowFirstScreen(window);
  const qint64 start = MonotonicNanoseconds();
  (window.*title)();
  ShowFirstScreen(window);
  return static_cast<double>(MonotonicNanoseconds() - start) / 1e6;
}

qint64 PeakResidentKilobytes()
{
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly))
    return -1;
  for (QByteArray line; !(line = status.readLine()).isEmpty();)
    if (line.startsWith("VmHWM:"))
      return line.mid(6).trimmed().split(' ').first().toLongLong();
  return -1;
}

// Child: shows a folder in a window of its own, then does the rest with that window.
int ShowFolder(int argc, char *argv[], const QByteArray &folder, const std::function<void(tv::TForm1 &)> &rest)
{
  QApplication application(argc, argv);
  tv::Program program;
  tv::TForm1 &window = *program.Form1;
  window.show();
  window.OpenFolder(folder);
  ShowFirstScreen(window);
  rest(window);
  return 0;
}

void PrintPeak(tv::TForm1 &) { std::printf("%lld\n", static_cast<long long>(PeakResidentKilobytes())); }

// For a profiler: after the listing, a sort by each title.
void SortByEachTitle(tv::TForm1 &window)
{
  for (const Click title : {&tv::TForm1::Label4Click, &tv::TForm1::Label5Click, &tv::TForm1::Label3Click}) {
    (window.*title)();
    ShowFirstScreen(window);
  }
}

// Child: starts as the program does and prints the clock when its listing is first painted.
int StartAndReportFirstListing(int argc, char *argv[])
{
  tv::PrepareProcess();
  QApplication application(argc, argv);
  const std::unique_ptr<tv::Program> program = tv::StartProgram();
  // The list paints empty before the listing comes from its thread: watch from the rows on.
  QWidget *viewport = program->Form1->ListView1->viewport();
  QObject::connect(
      program->Form1->ListView1->model(), &QAbstractItemModel::modelReset, viewport,
      [viewport] { new bench::FirstPaintReporter(viewport); }, Qt::SingleShotConnection);
  return QApplication::exec();
}

// Milliseconds from starting a program to the first paint it reports. It starts on a quiet
// machine: the X server and the kernel have finished with the program that ran before.
double TimeToFirstPaint(const QList<QByteArray> &command)
{
  ::usleep(300'000);
  const Outcome outcome = Run(command, true);
  if (!outcome.ok)
    return qInf();
  return static_cast<double>(outcome.output.trimmed().toLongLong() - outcome.started) / 1e6;
}

double PeakMegabytes(const QByteArray &self, const QByteArray &folder)
{
  const Outcome outcome = Run({self, "--memory", folder}, true);
  return outcome.ok ? outcome.output.trimmed().toDouble() / 1024 : qInf();
}

// The folder of the start-up test: a copy of this program (its application folder is its
// first listing), Settings.ini choosing English, and files up to 100 entries.
bool MakeStartFolder(const QByteArray &folder, const QByteArray &self)
{
  return MakeFolder(folder, StartFolderFiles, 0) &&
         QFile::copy(QFile::decodeName(self), QFile::decodeName(folder + "bench_listing")) &&
         WriteText(folder + "Settings.ini", "[TV]\nLanguage=en\n");
}

void MeasureOpenFolder(tv::TForm1 &window, const QByteArray &small, const QByteArray &large, const QByteArray &empty,
                       const QByteArray &names)
{
  constexpr double SmallEntries = SmallFileCount + FolderCount, LargeEntries = LargeFileCount + FolderCount;
  const std::vector<double> smallFigures =
      Medians(9, {[&] { return TimeOpenFolder(window, small, empty); },
                  [&] {
                    return TimeProgram({"ls", "-l", small});
                  },
                  [&] {
                    return TimeProgram({"find", small, "-maxdepth", "1", "-printf", "%s %T@ %f\\n"});
                  }});
  Report("1. OpenFolder, 101,000 entries", smallFigures[0], "ls -l", smallFigures[1], "ms", 0.5);
  Report("1. OpenFolder, 101,000 entries", smallFigures[0], "find -printf", smallFigures[2], "ms", 1.5);

  const auto sortFigures =
      Medians(9, {[&] { return TimeSort(window, &tv::TForm1::Label5Click, &tv::TForm1::Label3Click); },
                  [&] { return TimeSort(window, &tv::TForm1::Label3Click, &tv::TForm1::Label4Click); },
                  [&] { return TimeSort(window, &tv::TForm1::Label4Click, &tv::TForm1::Label5Click); },
                  [&] {
                    return TimeProgram({"sort", "-f", names});
                  }});
  Report("4. sort 101,000 rows by Filename", sortFigures[0], "sort -f", sortFigures[3], "ms", 1.0);
  Report("4. sort 101,000 rows by Size", sortFigures[1], "sort -f", sortFigures[3], "ms", 1.0);
  Report("4. sort 101,000 rows by Last modified", sortFigures[2], "sort -f", sortFigures[3], "ms", 1.0);

  const std::vector<double> largeFigures = Medians(5, {[&] { return TimeOpenFolder(window, large, empty); },
                                                       [&] {
                                                         return TimeProgram({"ls", "-l", large});
                                                       }});
  Report("2. OpenFolder, 1,001,000 entries", largeFigures[0], "ls -l", largeFigures[1], "ms", 0.5);
  Report("2. OpenFolder, cost per entry", largeFigures[0] * 1e6 / LargeEntries, "at 101,000 entries",
         smallFigures[0] * 1e6 / SmallEntries, "ns", 1.3);
}

void DropQtMessages(QtMsgType, const QMessageLogContext &, const QString &) {}

int RunAll(int argc, char *argv[])
{
  qInstallMessageHandler(DropQtMessages); // the figures are the output
  const QByteArray work = QByteArray(argv[1]) + '/', minimal = argv[2];
  const QByteArray self = QFile::encodeName(QFileInfo(QString::fromLocal8Bit(argv[0])).absoluteFilePath());
  const QByteArray small = work + "k100/", large = work + "m1/", empty = work + "empty/", start = work + "start/",
                   names = work + "names.txt";
  UseOwnHome(work);
  const bool onDisplay = !qEnvironmentVariableIsEmpty("DISPLAY");
  const QByteArray display = onDisplay ? "xcb" : "offscreen";
  std::printf("locale %s (LC_ALL=%s, LANG=%s); start-up on %s%s; medians; ratio = Tarnview / other\n",
              qPrintable(QLocale::system().name()), qgetenv("LC_ALL").constData(), qgetenv("LANG").constData(),
              display.constData(), onDisplay ? (" (DISPLAY=" + qgetenv("DISPLAY") + ")").constData() : "");
  std::fflush(stdout);
  if (!MakeStartFolder(start, self)) {
    std::fprintf(stderr, "could not make the folder %s\n", start.constData());
    return 2;
  }
  // Start-up goes first, on a quiet machine: a million new files keep the kernel busy
  // (writing, reclaiming its caches) long after they are made and synced.
  ::sync();
  qputenv("QT_QPA_PLATFORM", display);
  const std::vector<double> startFigures =
      Medians(15, {[&] {
                     return TimeToFirstPaint({start + "bench_listing", "--startup"});
                   },
                   [&] { return TimeToFirstPaint({minimal}); }});
  Report("5. start-up to the first listing painted", startFigures[0], "minimal Qt window", startFigures[1], "ms", 1.6);

  std::printf("Making the folders in %s ...\n", work.constData());
  std::fflush(stdout);
  if (!MakeFolder(small, SmallFileCount, FolderCount) || !MakeFolder(large, LargeFileCount, FolderCount) ||
      !MakeFolder(empty, 0, 0) || !WriteText(names, NameList(SmallFileCount, FolderCount))) {
    std::fprintf(stderr, "could not make the folders in %s\n", work.constData());
    return 2;
  }
  // No program measured here should share the processors with the kernel's writeback.
  ::sync();

  qputenv("QT_QPA_PLATFORM", "offscreen");
  const std::vector<double> peaks =
      Medians(3, {[&] { return PeakMegabytes(self, large); }, [&] { return PeakMegabytes(self, empty); }});
  const double bytesPerEntry = (peaks[0] - peaks[1]) * 1024 * 1024 / (LargeFileCount + FolderCount);
  std::printf("3. peak resident size: 1,001,000 entries %.1f MiB, empty folder %.1f MiB\n", peaks[0], peaks[1]);
  Report("3. memory per entry shown", bytesPerEntry, "limit", 250, "B", 1.0);

  QApplication application(argc, argv);
  tv::Program program;
  tv::TForm1 &window = *program.Form1;
  window.show();
  MeasureOpenFolder(window, small, large, empty, names);
  std::printf(allMet ? "All targets met.\n" : "Some targets MISSED.\n");
  return allMet ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
  if (argc == 2 && QByteArray(argv[1]) == "--startup")
    return StartAndReportFirstListing(argc, argv);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  if (argc == 3 && QByteArray(argv[1]) == "--memory")
    return ShowFolder(argc, argv, argv[2], PrintPeak);
  if (argc == 3 && QByteArray(argv[1]) == "--profile")
    return ShowFolder(argc, argv, argv[2], SortByEachTitle);
  if (argc == 3)
    return RunAll(argc, argv);
  std::fprintf(stderr, "usage: %s WORK_FOLDER MINIMAL_WINDOW_PROGRAM (bench/run.sh runs it)\n", argv[0]);
  return 2;
}
