// Starting other programs with posix_spawn, in a session of their own, and reaping them.
#include "platform/launcher.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "platform/detached_thread.h"

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

  const posix_spawnattr_t *Attributes() const { return &attributes_; }
  const posix_spawn_file_actions_t *Actions() const { return &actions_; }

private:
  posix_spawnattr_t attributes_;
  posix_spawn_file_actions_t actions_;
};

// The variables this program set for itself, with the values they had before (none: unset).
std::vector<std::pair<QByteArray, std::optional<QByteArray>>> &OwnVariables()
{
  static std::vector<std::pair<QByteArray, std::optional<QByteArray>>> variables;
  return variables;
}

bool IsOwnVariable(const char *entry)
{
  const QByteArrayView text(entry);
  for (const auto &[name, before] : OwnVariables())
    if (text.startsWith(name) && text.size() > name.size() && text[name.size()] == '=')
      return true;
  return false;
}

// Where programs are looked for when PATH names no absolute folder.
constexpr char DefaultSearchPath[] = "/usr/bin:/bin";

// The absolute folders of a search path. Empty entries, "." and other relative ones would
// find programs in whatever folder is browsed, where a started program runs.
QByteArray AbsoluteFolders(const QByteArray &searchPath)
{
  QList<QByteArray> folders = searchPath.split(':');
  folders.removeIf([](const QByteArray &folder) { return !folder.startsWith('/'); });
  return folders.isEmpty() ? QByteArray(DefaultSearchPath) : folders.join(':');
}

// The environment this program was started with, as "NAME=value" entries, with only the
// absolute folders of PATH: the opener looks up its own helpers there.
std::vector<QByteArray> StartingEnvironment()
{
  std::vector<QByteArray> entries;
  for (char **entry = environ; *entry != nullptr; ++entry)
    if (!IsOwnVariable(*entry))
      entries.emplace_back(*entry);
  for (const auto &[name, before] : OwnVariables())
    if (before)
      entries.push_back(name + '=' + *before);
  for (QByteArray &entry : entries)
    if (entry.startsWith("PATH="))
      entry = "PATH=" + AbsoluteFolders(entry.mid(5));
  return entries;
}

std::vector<char *> NullTerminated(const std::vector<QByteArray> &texts)
{
  std::vector<char *> pointers;
  for (const QByteArray &text : texts)
    pointers.push_back(const_cast<char *>(text.constData()));
  pointers.push_back(nullptr);
  return pointers;
}

bool IsExecutableFile(const QByteArray &path)
{
  struct stat info;
  return ::stat(path.constData(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.constData(), X_OK) == 0;
}

// A program's absolute path: as given, or from the absolute folders of PATH.
QByteArray ProgramPath(const QByteArray &program)
{
  if (program.contains('/'))
    return program.startsWith('/') ? program : QByteArray();
  for (const QByteArray &folder : AbsoluteFolders(qgetenv("PATH")).split(':')) {
    const QByteArray candidate = folder + '/' + program;
    if (IsExecutableFile(candidate))
      return candidate;
  }
  return {};
}

// Children no reaper thread could be started for. Each start reaps those that have ended;
// when the program ends, init reaps the rest.
std::vector<pid_t> &Unreaped()
{
  static std::vector<pid_t> children;
  return children;
}

void ReapEnded()
{
  std::erase_if(Unreaped(), [](pid_t child) { return ::waitpid(child, nullptr, WNOHANG) != 0; });
}

void ReapWhenDone(pid_t child)
{
  const bool started = TryStartDetachedThread([child] {
    while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
  });
  if (!started)
    Unreaped().push_back(child);
}

} // namespace

void SetOwnVariable(const char *name, const char *value, bool replace)
{
  const bool isSet = qEnvironmentVariableIsSet(name);
  if (isSet && !replace)
    return;
  const bool known = std::any_of(OwnVariables().begin(), OwnVariables().end(),
                                 [name](const auto &variable) { return variable.first == name; });
  if (!known)
    OwnVariables().emplace_back(name, isSet ? std::optional<QByteArray>(qgetenv(name)) : std::nullopt);
  ::setenv(name, value, 1);
}

qint64 StartDetached(const QByteArray &program, const QList<QByteArray> &arguments, const QByteArray &workingDirectory)
{
  ReapEnded();
  const QByteArray path = ProgramPath(program);
  if (path.isEmpty())
    return -1;
  std::vector<QByteArray> argumentTexts{program};
  argumentTexts.insert(argumentTexts.end(), arguments.begin(), arguments.end());
  const std::vector<char *> argv = NullTerminated(argumentTexts);
  const std::vector<QByteArray> environment = StartingEnvironment();
  const std::vector<char *> envp = NullTerminated(environment);
  const SpawnSetup setup(workingDirectory);
  pid_t child = -1;
  if (::posix_spawn(&child, path.constData(), setup.Actions(), setup.Attributes(), argv.data(), envp.data()) != 0)
    return -1;
  ReapWhenDone(child);
  return child;
}

qint64 OpenWithDesktopHandler(const QByteArray &absolutePath, const QByteArray &workingDirectory)
{
  return StartDetached("xdg-open", {absolutePath}, workingDirectory);
}

} // namespace tv::platform
