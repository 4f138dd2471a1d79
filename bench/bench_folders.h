// What the benchmarks share: their test folders (names and sizes as a user's big folders
// have them), a home of their own, medians.
#pragma once

#include <QByteArray>
#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace bench {

inline constexpr int FolderCount = 1'000;
inline constexpr int SmallFileCount = 100'000;
inline constexpr int LargeFileCount = 1'000'000;

// Names as a download folder or a photo archive holds them: words, numbers, extensions,
// mixed case; one in fifty has letters beyond ASCII. Unique for i below 1,000,003.
inline QByteArray NameOf(int i)
{
  static const char *const words[] = {"report", "Budget", "notes", "IMG_", "Meeting minutes", "draft", "Zeta"};
  static const char *const accented[] = {"\xc3\x9c"
                                         "bersicht",
                                         "caf\xc3\xa9", "\xc3\x85ngstr\xc3\xb6m", "na\xc3\xafve"};
  static const char *const extensions[] = {".txt", ".DOCX", ".xls", "", ".pptx", ".jpg"};
  const char *word = i % 50 == 0 ? accented[i / 50 % 4] : words[i % 7];
  return QByteArray(word) + ' ' + QByteArray::number(i * 7919LL % 1'000'003) + extensions[i % 6];
}

inline QByteArray FolderNameOf(int i) { return "folder " + QByteArray::number(i); }

// Makes a folder of sub-folders and files of varied sizes and times; false on failure.
inline bool MakeFolder(const QByteArray &folder, int files, int folders)
{
  if (::mkdir(folder.constData(), 0755) != 0)
    return false;
  const int handle = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  bool made = handle >= 0;
  for (int i = 0; made && i < folders; ++i)
    made = ::mkdirat(handle, FolderNameOf(i).constData(), 0755) == 0;
  for (int i = 0; made && i < files; ++i) {
    const int fd = ::openat(handle, NameOf(i).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    const timespec times[2] = {{0, UTIME_OMIT}, {1'300'000'000 + i * 2'654'435'761LL % 400'000'000, 0}};
    made = fd >= 0 && ::ftruncate(fd, i * 104'729LL % 50'000'000) == 0 && ::futimens(fd, times) == 0;
    if (fd >= 0)
      ::close(fd);
  }
  if (handle >= 0)
    ::close(handle);
  return made;
}

// The middle of the figures (the mean of the two middle ones for an even count).
inline double Median(std::vector<double> values)
{
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Points HOME and the XDG folders into the work folder: the program records its path in
// the user's settings, and those of the user who runs the benchmark stay untouched.
inline void UseOwnHome(const QByteArray &work)
{
  const QByteArray home = work + "home";
  ::mkdir(home.constData(), 0700);
  qputenv("HOME", home);
  qputenv("XDG_CONFIG_HOME", home + "/.config");
  qputenv("XDG_DATA_HOME", home + "/.local/share");
  qputenv("XDG_CACHE_HOME", home + "/.cache");
  qputenv("XDG_RUNTIME_DIR", home + "/runtime");
  ::mkdir((home + "/runtime").constData(), 0700);
}

} // namespace bench
