#pragma once

#include <QObject>

namespace tv {
class Program;
class TForm1;
} // namespace tv

namespace tv::test {

// Waits until the main window has no listing or operation out; false when it did not settle
// within a generous time.
bool Settled(const TForm1 &form);

// Base of the tests that drive the program's windows: every test function runs on a program
// of its own, made before it and deleted after it, so that no test depends on what another
// left behind. System error texts are English, so that messages can be compared.
class ProgramTest : public QObject {
  Q_OBJECT
protected:
  Program *program = nullptr;
  // Lets the main window finish its listings and operations.
  bool Settled() const;

protected slots:
  void init();
  void cleanup();
};

} // namespace tv::test
