// Ending the program at once, also while a thread is stuck in the kernel on a dead drive.
#pragma once

#include <QObject>
#include <functional>

namespace tv::platform {

// Calls quit on the owner's thread when the process is asked to end (SIGTERM, SIGINT,
// SIGHUP). The signal handler only writes to a pipe that the event loop watches, so quit
// runs as an ordinary event. False when the pipe or the handlers could not be set up.
bool QuitOnTerminationSignals(QObject *owner, std::function<void()> quit);

// Ends the process now with the exit code, waiting for no thread: a thread stuck on a dead
// drive cannot be joined, and the kernel lets it go in its own time.
[[noreturn]] void EndProcessNow(int code);

} // namespace tv::platform
