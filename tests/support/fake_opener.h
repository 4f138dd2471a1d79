#pragma once

#include <QByteArray>
#include <QList>
#include <QTemporaryDir>

namespace tv::test {

// Puts a stand-in for the desktop's opener (xdg-open) first on PATH for as long as it
// lives. The stand-in records its arguments, environment and working directory.
class FakeOpener {
public:
  FakeOpener();
  ~FakeOpener();
  FakeOpener(const FakeOpener &) = delete;
  FakeOpener &operator=(const FakeOpener &) = delete;

  // Waits up to the timeout for an opening since the last one; false when none came.
  bool waitForOpening(int milliseconds = 10000);
  QList<QByteArray> arguments() const { return arguments_; }
  QByteArray workingDirectory() const { return workingDirectory_; }
  // A variable of the opener's environment; null when it was not set.
  QByteArray variable(const QByteArray &name) const;

private:
  QTemporaryDir dir_;
  QByteArray record_;
  QByteArray savedPath_;
  QByteArray savedRecord_;
  QList<QByteArray> arguments_;
  QByteArray workingDirectory_;
  QList<QByteArray> environment_;
};

} // namespace tv::test
