// The program's entry: start, run the event loop, end at once.
#include <QApplication>

#include "app/program.h"
#include "platform/process_end.h"

int main(int argc, char *argv[])
{
  if (tv::PrintCommandLineText(argc > 1 ? QByteArray(argv[1]) : QByteArray()))
    return 0;
  if (!tv::PrepareProcess())
    return 1;
  int code = 0;
  {
    QApplication application(argc, argv);
    // The application object has taken its own options (-display, ...) out of the arguments.
    std::unique_ptr<tv::Program> program = tv::StartProgram(argc > 1 ? QByteArray(argv[1]) : QByteArray());
    tv::platform::QuitOnTerminationSignals(&application, [] { QApplication::quit(); });
    code = QApplication::exec();
    // The windows go, and with the application the display connection, before the process
    // ends without waiting for a thread that may be stuck on a dead drive.
    program.reset();
  }
  tv::platform::EndProcessNow(code);
}
