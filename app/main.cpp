#include <QApplication>

#include "app/program.h"

int main(int argc, char *argv[])
{
  if (tv::PrintCommandLineText(argc > 1 ? QByteArray(argv[1]) : QByteArray()))
    return 0;
  tv::PrepareProcess();
  QApplication application(argc, argv);
  // The application object has taken its own options (-display, ...) out of the arguments.
  const std::unique_ptr<tv::Program> program = tv::StartProgram(argc > 1 ? QByteArray(argv[1]) : QByteArray());
  return QApplication::exec();
}
