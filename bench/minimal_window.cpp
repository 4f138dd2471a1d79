// The yardstick of the start-up benchmark: the least a Qt Widgets program does to show a
// window. It shows one empty window of the main window's size and ends once it is painted.
#include <QApplication>
#include <QWidget>

#include "first_paint.h"

int main(int argc, char *argv[])
{
  QApplication application(argc, argv);
  QWidget window;
  window.resize(860, 604);
  new bench::FirstPaintReporter(&window);
  window.show();
  return QApplication::exec();
}
