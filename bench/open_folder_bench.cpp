// Measures OpenFolder end to end (directory read, rows built, model filled, first screen of
// rows painted) on a folder of 100,000 files and 1,000 sub-folders, against `ls -l` on the
// same folder in the same run; then a sort of the rows by name against `sort -f`.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTreeView>
#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "app/main_window.h"

namespace {

constexpr int FileCount = 100'000;
constexpr int FolderCount = 1'000;
constexpr int Repetitions = 7;

QByteArray NameOf(int i)
{
  static const char *const words[] = {"report", "Budget", "notes", "IMG_", "Meeting minutes", "draft", "Zeta"};
  static const char *const extensions[] = {".txt", ".DOCX", ".xls", "", ".pptx", ".jpg"};
  return QByteArray(words[i % 7]) + ' ' + QByteArray::number(i * 7919 % 1'000'003) + extensions[i % 6];
}

bool MakeFolder(const QByteArray &folder)
{
  for (int i = 0; i < FolderCount; ++i)
    if (::mkdir(folder + "folder " + QByteArray::number(i), 0755) != 0)
      return false;
  for (int i = 0; i < FileCount; ++i) {
    const int fd = ::open(folder + NameOf(i), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0 || ::ftruncate(fd, (i * 104729LL) % 50'000'000) != 0)
      return false;
    ::close(fd);
  }
  return true;
}

double Median(std::vector<double> values)
{
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Runs a program with its output thrown away; the time it took in milliseconds.
double TimeProgram(const QString &program, const QStringList &arguments, const QString &input = {})
{
  QProcess process;
  process.setStandardOutputFile(QProcess::nullDevice());
  if (!input.isEmpty())
    process.setStandardInputFile(input);
  QElapsedTimer clock;
  clock.start();
  process.start(program, arguments);
  process.waitForFinished(-1);
  return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

double TimeOpenFolder(tv::TForm1 &window, const QByteArray &folder)
{
  QElapsedTimer clock;
  clock.start();
  window.OpenFolder(folder);
  window.ListView1->grab(); // paints the first screen of rows
  return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

double TimeNameSort(tv::TForm1 &window)
{
  QElapsedTimer clock;
  clock.start();
  window.Label3Click();
  window.ListView1->grab();
  return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

void Report(const char *what, double ours, const char *other, double theirs)
{
  std::printf("%-28s %9.1f ms   %-10s %9.1f ms   ratio %.2f\n", what, ours, other, theirs, ours / theirs);
}

} // namespace

int main(int argc, char *argv[])
{
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  const QTemporaryDir dir;
  const QByteArray folder = QFile::encodeName(dir.path()) + '/';
  std::printf("Making %d files and %d folders in %s ...\n", FileCount, FolderCount, folder.constData());
  if (!dir.isValid() || !MakeFolder(folder)) {
    std::fprintf(stderr, "could not make the folder\n");
    return 1;
  }
  const QTemporaryDir namesDir;
  const QString names = namesDir.filePath(QStringLiteral("names.txt"));
  {
    QFile list(names);
    if (!list.open(QIODevice::WriteOnly))
      return 1;
    for (int i = FileCount - 1; i >= 0; --i)
      list.write(NameOf(i) + '\n');
  }

  tv::TForm1 window;
  window.show();
  TimeOpenFolder(window, folder); // warms the caches of both
  TimeProgram(QStringLiteral("ls"), {QStringLiteral("-l"), dir.path()});

  std::vector<double> open, ls, sort, sortF;
  for (int i = 0; i < Repetitions; ++i) {
    open.push_back(TimeOpenFolder(window, folder));
    sort.push_back(TimeNameSort(window));
    ls.push_back(TimeProgram(QStringLiteral("ls"), {QStringLiteral("-l"), dir.path()}));
    sortF.push_back(TimeProgram(QStringLiteral("sort"), {QStringLiteral("-f")}, names));
  }
  std::printf("medians of %d runs, locale %s:\n", Repetitions, qgetenv("LANG").constData());
  Report("OpenFolder (101,000 entries)", Median(open), "ls -l", Median(ls));
  Report("sort by name (101,000 rows)", Median(sort), "sort -f", Median(sortF));
  return 0;
}
