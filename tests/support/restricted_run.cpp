#include "tests/support/restricted_run.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tv::test {

namespace {

constexpr int kNotRestricted = 255;

} // namespace

bool RunsAsRoot() { return ::getuid() == 0; }

int RunRestricted(const std::function<int()> &subject)
{
  const pid_t child = ::fork();
  if (child == 0) {
    if (RunsAsRoot() && (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
      ::_exit(kNotRestricted);
    ::_exit(subject());
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) == kNotRestricted)
    return -1;
  return WEXITSTATUS(status);
}

} // namespace tv::test
