#include <QApplication>

#include "app/program.h"
#include "app/windows.h"

int main(int argc, char *argv[])
{
  tv::PrepareProcess();
  QApplication application(argc, argv);
  tv::StartProgram();
  const int result = QApplication::exec();
  delete tv::Form1;
  return result;
}
