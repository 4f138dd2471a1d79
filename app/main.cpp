#include <QApplication>

#include "app/program.h"

int main(int argc, char *argv[])
{
  tv::PrepareProcess();
  QApplication application(argc, argv);
  const std::unique_ptr<tv::Program> program = tv::StartProgram();
  return QApplication::exec();
}
