#include <QApplication>

#include "app/program.h"

int main(int argc, char *argv[])
{
  if (!tv::PrepareProcess())
    return 1;
  QApplication application(argc, argv);
  const std::unique_ptr<tv::Program> program = tv::StartProgram();
  return QApplication::exec();
}
