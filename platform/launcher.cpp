#include "platform/launcher.h"

#include <cerrno>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char **environ;

namespace tv::platform {

namespace {

// The attributes and actions of a spawn, released when it is done.
class SpawnSetup {
public:
  explicit SpawnSetup(const QByteArray &workingDirectory)
  {
    posix_spawnattr_init(&attributes_);
    sigset_t signalSet;
    sigemptyset(&signalSet);
    posix_spawnattr_setsigmask(&attributes_, &signalSet);
    sigfillset(&signalSet);
    posix_spawnattr_setsigdefault(&attributes_, &signalSet);
    posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    posix_spawn_file_actions_init(&actions_);
    posix_spawn_file_actions_addopen(&actions_, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addchdir_np(&actions_, workingDirectory.constData());
  }
  ~SpawnSetup()
  {
    posix_spawn_file_actions_destroy(&actions_);
    posix_spawnattr_destroy(&attributes_);
  }
  SpawnSetup(const SpawnSetup &) = delete;
  SpawnSetup &operator=(const SpawnSetup &) = delete;

  const posix_spawnattr_t *attributes() const { return &attributes_; }
  const posix_spawn_file_actions_t *actions() const { return &actions_; }

private:
  posix_spawnattr_t attributes_;
  posix_spawn_file_actions_t actions_;
};

void ReapWhenDone(pid_t child)
{
  std::thread([child] {
    while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
  }).detach();
}

} // namespace

qint64 startDetached(const QByteArray &program, const QList<QByteArray> &arguments, const QByteArray &workingDirectory)
{
  std::vector<char *> argv;
  argv.push_back(const_cast<char *>(program.constData()));
  for (const QByteArray &argument : arguments)
    argv.push_back(const_cast<char *>(argument.constData()));
  argv.push_back(nullptr);
  const SpawnSetup setup(workingDirectory);
  pid_t child = -1;
  if (::posix_spawnp(&child, program.constData(), setup.actions(), setup.attributes(), argv.data(), environ) != 0)
    return -1;
  ReapWhenDone(child);
  return child;
}

qint64 openWithDesktopHandler(const QByteArray &absolutePath, const QByteArray &workingDirectory)
{
  return startDetached("xdg-open", {absolutePath}, workingDirectory);
}

} // namespace tv::platform
