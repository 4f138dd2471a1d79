#include "settings/settings_store.h"

#include <QFile>
#include <QSettings>
#include <functional>

#include "platform/file_queries.h"
#include "platform/profile_file.h"
#include "platform/user_dirs.h"
#include "settings/app_settings.h"
#include "settings/setting_values.h"

namespace tv {

namespace {

const QByteArray kSection = QByteArrayLiteral("TV");

int FileNumber(const QByteArray &path, const char *key)
{
  return ParseSettingInteger(platform::readProfileString(path, kSection, key, "0")).value_or(0);
}

DefaultSettings ReadSettingsFile(const QByteArray &path)
{
  DefaultSettings settings;
  settings.english = !FileChoosesSecondLanguage(platform::readProfileString(path, kSection, "Language", "En"));
  settings.showHidden = FileNumber(path, "ShowHidden") != 0;
  settings.homeFolder = FileNumber(path, "HomeFolder");
  return settings;
}

QSettings UserStore()
{
  return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Corvane"),
                   QStringLiteral("Tarnview"));
}

// Hands a number of the store to apply when the key is present; false when its value is not
// a number, which ends the reading of the store.
bool ApplyStoreNumber(const QSettings &store, const QString &key, const std::function<void(int)> &apply)
{
  if (!store.contains(key))
    return true;
  const QVariant value = store.value(key);
  std::optional<int> number;
  if (value.typeId() == QMetaType::Int)
    number = value.toInt();
  else if (value.typeId() == QMetaType::QString)
    number = ParseSettingInteger(value.toString().toUtf8());
  if (number)
    apply(*number);
  return number.has_value();
}

// Stores the executable's path as the store's default value; false when the store refuses
// it. A path already stored is not written again, as a settings write is synced to disk and
// would slow every start; a store that could not take the write still counts as refusing.
bool RecordExecutable(QSettings &store, const QString &path)
{
  const QString key = QStringLiteral("Default");
  if (store.value(key) == path)
    return store.isWritable();
  store.setValue(key, path);
  store.sync();
  return store.status() == QSettings::NoError;
}

// Reads the user's own store over the values found so far. The first failure ends the
// reading there, and the documents and desktop folders then stay unknown.
void ReadUserStore(const QByteArray &executable)
{
  QSettings store = UserStore();
  if (!RecordExecutable(store, QFile::decodeName(executable)) || store.status() != QSettings::NoError)
    return;
  const QString language = QStringLiteral("Language");
  if (store.contains(language)) {
    const QVariant value = store.value(language);
    if (value.typeId() != QMetaType::QString)
      return;
    IsEnglish = !StoreChoosesSecondLanguage(value.toString());
  }
  StartupIsEnglish = IsEnglish;
  if (!ApplyStoreNumber(store, QStringLiteral("ShowHidden"), [](int number) { ShowHidden = number != 0; }) ||
      !ApplyStoreNumber(store, QStringLiteral("HomeFolder"),
                        [](int number) { HomeFolder = HomeFolderFromNumber(number); }))
    return;
  HomeLocations[DocumentsFolder] = platform::userDirectory("DOCUMENTS");
  HomeLocations[DesktopFolder] = platform::userDirectory("DESKTOP");
}

} // namespace

void LoadSettings() { LoadSettingsFor(platform::executablePath()); }

void LoadSettingsFor(const QByteArray &executable)
{
  IsEnglish = false;
  StartupIsEnglish = false;
  ShowHidden = false;
  HomeFolder = ApplicationFolder;
  HomeLocations = {executable.left(executable.lastIndexOf('/') + 1), QByteArray(), QByteArray(), QByteArray()};
  if (const std::optional<DefaultSettings> defaults = ReadDefaultSettings()) {
    IsEnglish = defaults->english;
    StartupIsEnglish = IsEnglish;
    ShowHidden = defaults->showHidden;
    HomeFolder = HomeFolderFromNumber(defaults->homeFolder);
  }
  ReadUserStore(executable);
}

QByteArray SettingsFilePath()
{
  const QByteArray &folder = HomeLocations[ApplicationFolder];
  return folder.isEmpty() ? QByteArray() : folder + "Settings.ini";
}

void SaveUserSettings()
{
  QSettings store = UserStore();
  store.setValue(QStringLiteral("Language"), StartupIsEnglish ? QStringLiteral("en") : QStringLiteral("nl"));
  store.setValue(QStringLiteral("ShowHidden"), ShowHidden ? 1 : 0);
  store.setValue(QStringLiteral("HomeFolder"), int{HomeFolder});
  store.sync();
}

bool WriteDefaultSettings(int languageIndex, bool showHidden, int homeIndex)
{
  const QByteArray path = SettingsFilePath();
  return platform::writeProfileString(path, kSection, "Language", languageIndex == 1 ? "nl" : "en") &&
         platform::writeProfileString(path, kSection, "ShowHidden", showHidden ? "1" : "0") &&
         platform::writeProfileString(path, kSection, "HomeFolder", QByteArray::number(homeIndex));
}

std::optional<DefaultSettings> ReadDefaultSettings()
{
  const QByteArray path = SettingsFilePath();
  if (!platform::isRegularFile(path))
    return std::nullopt;
  return ReadSettingsFile(path);
}

} // namespace tv
