#include "tests/support/settings_sandbox.h"

namespace tv::test {

namespace {

QSettings UserStore()
{
  return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Corvane"),
                   QStringLiteral("Tarnview"));
}

} // namespace

SettingsSandbox::SettingsSandbox()
    : appFolder_(environment_.makeFolder("app")), configFolder_(qgetenv("XDG_CONFIG_HOME"))
{
  WriteFile(configFolder_ + "/user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n"
                                               "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
}

QVariant SettingsSandbox::storedValue(const QString &key) const { return UserStore().value(key); }

void SettingsSandbox::storeValue(const QString &key, const QVariant &value) const
{
  QSettings store = UserStore();
  store.setValue(key, value);
  store.sync();
}

} // namespace tv::test
