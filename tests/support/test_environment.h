#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QTemporaryDir>

namespace tv::test {

// A temporary home for one test: HOME, XDG_CONFIG_HOME, XDG_DATA_HOME, XDG_STATE_HOME and
// XDG_CACHE_HOME point into it, so tests never touch the real user's files or settings.
class TestEnvironment {
public:
  TestEnvironment();
  ~TestEnvironment();
  TestEnvironment(const TestEnvironment &) = delete;
  TestEnvironment &operator=(const TestEnvironment &) = delete;

  // The temporary home folder, without a trailing "/".
  QByteArray home() const;
  // A folder inside the temporary home, created with its parents; ends in "/".
  QByteArray makeFolder(const QByteArray &relativePath) const;
  // Sets the language in the user's own store, which wins over every default.
  static void setUserLanguage(const QString &language);

private:
  QTemporaryDir dir_;
  QList<QPair<QByteArray, QByteArray>> saved_;
};

// Writes a file at a raw path with the given contents and, when valid, modification time.
void WriteFile(const QByteArray &path, const QByteArray &contents = {}, const QDateTime &modified = {});

} // namespace tv::test
