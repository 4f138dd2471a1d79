#pragma once

#include <QByteArray>
#include <QSettings>
#include <QVariant>

#include "tests/support/test_environment.h"

namespace tv::test {

// A temporary home with a user store, an application folder and a user-dirs.dirs of the
// test's own.
class SettingsSandbox {
public:
  SettingsSandbox();

  const TestEnvironment &environment() const { return environment_; }
  // The application folder, ending in "/", and the executable in it.
  QByteArray appFolder() const { return appFolder_; }
  QByteArray executable() const { return appFolder_ + "tarnview"; }
  QByteArray settingsFile() const { return appFolder_ + "Settings.ini"; }
  QByteArray configFolder() const { return configFolder_; }
  // The documents and desktop folders that user-dirs.dirs names.
  QByteArray documents() const { return environment_.home() + "/Dokumente"; }
  QByteArray desktop() const { return environment_.home() + "/Schreibtisch"; }

  // A value in the user's own store.
  QVariant storedValue(const QString &key) const;
  void storeValue(const QString &key, const QVariant &value) const;

private:
  TestEnvironment environment_;
  QByteArray appFolder_;
  QByteArray configFolder_;
};

} // namespace tv::test
