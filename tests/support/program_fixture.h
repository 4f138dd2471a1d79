#pragma once

#include <QObject>

namespace tv {
class Program;
}

namespace tv::test {

// Base of the tests that drive the program's windows: every test function runs on a program
// of its own, made before it and deleted after it, so that no test depends on what another
// left behind. System error texts are English, so that messages can be compared.
class ProgramTest : public QObject {
  Q_OBJECT
protected:
  Program *program = nullptr;

protected slots:
  void init();
  void cleanup();
};

} // namespace tv::test
