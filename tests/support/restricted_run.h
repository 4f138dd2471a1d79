#pragma once

#include <functional>
#include <sys/types.h>

// Permission cases: root ignores permission bits, so their subject runs as the user nobody.
namespace tv::test {

inline constexpr uid_t kNobody = 65534;

// True when the tests run as root.
bool RunsAsRoot();

// Runs the subject in a child process, as the user nobody when the tests run as root (the
// caller makes the files it needs reachable for nobody), else as the same user; returns the
// subject's result (0..254), or -1 when the child could not become nobody or did not end
// normally.
int RunRestricted(const std::function<int()> &subject);

} // namespace tv::test
