// A FUSE file system that stands for a network drive that is dead ("never": no request is
// ever answered) or slow ("slow N": a few entries, each answer after N seconds).
// Usage: stuck_fuse MOUNT_POINT never | stuck_fuse MOUNT_POINT slow SECONDS
#define FUSE_USE_VERSION 31
#include <fuse.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <sys/stat.h>
#include <thread>

namespace {

int answerDelaySeconds = -1; // below zero: never answer

const char *const EntryNames[] = {"notes.txt", "report.docx", "photos"};

// Holds the calling request for good, or for the configured delay.
void Delay()
{
  if (answerDelaySeconds >= 0) {
    std::this_thread::sleep_for(std::chrono::seconds(answerDelaySeconds));
    return;
  }
  static std::mutex mutex;
  static std::condition_variable never;
  std::unique_lock lock(mutex);
  never.wait(lock, [] { return false; });
}

bool IsFolderName(const char *name) { return std::strcmp(name, "photos") == 0; }

int GetAttributes(const char *path, struct stat *attributes, fuse_file_info *)
{
  Delay();
  std::memset(attributes, 0, sizeof *attributes);
  const bool isRoot = std::strcmp(path, "/") == 0;
  bool known = isRoot;
  for (const char *name : EntryNames)
    known = known || std::strcmp(path + 1, name) == 0;
  if (!known)
    return -ENOENT;
  const bool isFolder = isRoot || IsFolderName(path + 1);
  attributes->st_mode = isFolder ? S_IFDIR | 0755 : S_IFREG | 0644;
  attributes->st_nlink = isFolder ? 2 : 1;
  attributes->st_size = isFolder ? 0 : 1234;
  return 0;
}

int OpenFolder(const char *, fuse_file_info *)
{
  Delay();
  return 0;
}

int ReadFolder(const char *path, void *buffer, fuse_fill_dir_t fill, off_t, fuse_file_info *, fuse_readdir_flags)
{
  Delay();
  fill(buffer, ".", nullptr, 0, fuse_fill_dir_flags{});
  fill(buffer, "..", nullptr, 0, fuse_fill_dir_flags{});
  if (std::strcmp(path, "/") == 0)
    for (const char *name : EntryNames)
      fill(buffer, name, nullptr, 0, fuse_fill_dir_flags{});
  return 0;
}

int Open(const char *, fuse_file_info *)
{
  Delay();
  return 0;
}

int Read(const char *, char *, size_t, off_t, fuse_file_info *)
{
  Delay();
  return 0;
}

int StatFileSystem(const char *, struct statvfs *status)
{
  Delay();
  std::memset(status, 0, sizeof *status);
  status->f_bsize = status->f_frsize = 4096;
  status->f_namemax = 255;
  return 0;
}

int Usage(const char *self)
{
  std::fprintf(stderr, "usage: %s MOUNT_POINT never | %s MOUNT_POINT slow SECONDS\n", self, self);
  return 2;
}

} // namespace

int main(int argc, char *argv[])
{
  if (argc == 3 && std::strcmp(argv[2], "never") == 0)
    answerDelaySeconds = -1;
  else if (argc == 4 && std::strcmp(argv[2], "slow") == 0)
    answerDelaySeconds = std::atoi(argv[3]);
  else
    return Usage(argv[0]);

  fuse_operations operations{};
  operations.getattr = GetAttributes;
  operations.opendir = OpenFolder;
  operations.readdir = ReadFolder;
  operations.open = Open;
  operations.read = Read;
  operations.statfs = StatFileSystem;
  // Foreground, so that ending this process group ends the server; every request on a
  // thread of its own, so that a held request holds no other (a bound on the idle ones, as
  // libfuse warns about its own default).
  std::string self = argv[0], foreground = "-f", options = "-o",
              settings = "fsname=stuck_fuse,subtype=stuck,max_idle_threads=8", mountPoint = argv[1];
  char *fuseArguments[] = {self.data(), foreground.data(), options.data(), settings.data(), mountPoint.data()};
  return fuse_main(5, fuseArguments, &operations, nullptr);
}
