// Ending the program at once, also while a thread is stuck in the kernel on a dead drive.
#include "platform/process_end.h"

#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace tv::platform {

namespace {

// The write end of the pipe; the handler may touch nothing else. It is set once, before the
// handlers are installed, and never changes.
volatile sig_atomic_t signalPipe = -1;

void WriteToSignalPipe(int)
{
  const int savedErrno = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(signalPipe, &byte, 1);
  errno = savedErrno;
}

} // namespace

bool QuitOnTerminationSignals(QObject *owner, std::function<void()> quit)
{
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
    return false;
  signalPipe = ends[1];
  auto *notifier = new QSocketNotifier(ends[0], QSocketNotifier::Read, owner);
  QObject::connect(notifier, &QSocketNotifier::activated, owner, [notifier, quit = std::move(quit)] {
    char bytes[16];
    while (::read(static_cast<int>(notifier->socket()), bytes, sizeof bytes) > 0) {
    }
    quit();
  });
  struct sigaction action {};
  action.sa_handler = WriteToSignalPipe;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  bool installed = true;
  for (const int signal : {SIGTERM, SIGINT, SIGHUP})
    installed = ::sigaction(signal, &action, nullptr) == 0 && installed;
  return installed;
}

void EndProcessNow(int code)
{
  std::fflush(stdout);
  std::fflush(stderr);
  ::_exit(code);
}

} // namespace tv::platform
