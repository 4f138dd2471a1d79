// Loading and saving the settings: Settings.ini beside the program and the user's own store.
#include "settings/settings_store.h"

#include <QFile>
#include <QSettings>
#include <functional>

#include "ops/setting_values.h"
#include "platform/file_queries.h"
#include "platform/profile_file.h"
#include "platform/user_dirs.h"
#include "settings/app_settings.h"

namespace tv {

namespace {

// The names under which both stores keep the settings: Settings.ini in its section, the
// user's own store at its top level.
constexpr char Section[] = "TV";
constexpr char LanguageKey[] = "Language";
constexpr char ShowHiddenKey[] = "ShowHidden";
constexpr char HomeFolderKey[] = "HomeFolder";
// The user's store records under this key the executable it was last run as.
constexpr char ExecutableKey[] = "Default";

int FileNumber(const QByteArray &path, const char *key)
{
  return ParseSettingInteger(platform::ReadProfileString(path, Section, key, "0")).value_or(0);
}

DefaultSettings ReadSettingsFile(const QByteArray &path)
{
  DefaultSettings settings;
  settings.english = !FileChoosesSecondLanguage(platform::ReadProfileString(path, Section, LanguageKey, "En"));
  settings.showHidden = FileNumber(path, ShowHiddenKey) != 0;
  settings.homeFolder = FileNumber(path, HomeFolderKey);
  return settings;
}

QSettings UserStore()
{
  return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Corvane"),
                   QStringLiteral("Tarnview"));
}

// Hands a number of the store to apply when the key is present; false when its value is not
// a number, which ends the reading of the store.
bool ApplyStoreNumber(const QSettings &store, QAnyStringView key, const std::function<void(int)> &apply)
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
  if (store.value(ExecutableKey) == path)
    return store.isWritable();
  store.setValue(ExecutableKey, path);
  store.sync();
  return store.status() == QSettings::NoError;
}

// Reads the user's own store over the values found so far. The first failure ends the
// reading there, and the documents and desktop folders then stay unknown.
void ReadUserStore(Settings &settings, const QByteArray &executable)
{
  QSettings store = UserStore();
  if (!RecordExecutable(store, QFile::decodeName(executable)) || store.status() != QSettings::NoError)
    return;
  if (store.contains(LanguageKey)) {
    const QVariant value = store.value(LanguageKey);
    if (value.typeId() != QMetaType::QString)
      return;
    settings.IsEnglish = !StoreChoosesSecondLanguage(value.toString());
  }
  settings.StartupIsEnglish = settings.IsEnglish;
  if (!ApplyStoreNumber(store, ShowHiddenKey, [&settings](int number) { settings.ShowHidden = number != 0; }) ||
      !ApplyStoreNumber(store, HomeFolderKey,
                        [&settings](int number) { settings.HomeFolder = HomeFolderFromNumber(number); }))
    return;
  settings.HomeLocations[DocumentsFolder] = platform::UserDirectory("DOCUMENTS");
  settings.HomeLocations[DesktopFolder] = platform::UserDirectory("DESKTOP");
}

} // namespace

void LoadSettings(Settings &settings) { LoadSettingsFor(settings, platform::ExecutablePath()); }

void LoadSettingsFor(Settings &settings, const QByteArray &executable)
{
  settings = Settings{};
  settings.HomeLocations = {executable.left(executable.lastIndexOf('/') + 1), QByteArray(), QByteArray(), QByteArray()};
  if (const std::optional<DefaultSettings> defaults = ReadDefaultSettings(settings)) {
    settings.IsEnglish = defaults->english;
    settings.StartupIsEnglish = settings.IsEnglish;
    settings.ShowHidden = defaults->showHidden;
    settings.HomeFolder = HomeFolderFromNumber(defaults->homeFolder);
  }
  ReadUserStore(settings, executable);
}

QByteArray SettingsFilePath(const Settings &settings)
{
  const QByteArray &folder = settings.HomeLocations[ApplicationFolder];
  return folder.isEmpty() ? QByteArray() : folder + "Settings.ini";
}

void SaveUserSettings(const Settings &settings)
{
  QSettings store = UserStore();
  store.setValue(LanguageKey, settings.StartupIsEnglish ? QStringLiteral("en") : QStringLiteral("nl"));
  store.setValue(ShowHiddenKey, settings.ShowHidden ? 1 : 0);
  store.setValue(HomeFolderKey, int{settings.HomeFolder});
  store.sync();
}

bool WriteDefaultSettings(const Settings &settings, int languageIndex, bool showHidden, int homeIndex)
{
  const QByteArray path = SettingsFilePath(settings);
  return platform::WriteProfileString(path, Section, LanguageKey, languageIndex == 1 ? "nl" : "en") &&
         platform::WriteProfileString(path, Section, ShowHiddenKey, showHidden ? "1" : "0") &&
         platform::WriteProfileString(path, Section, HomeFolderKey, QByteArray::number(homeIndex));
}

std::optional<DefaultSettings> ReadDefaultSettings(const Settings &settings)
{
  const QByteArray path = SettingsFilePath(settings);
  if (!platform::IsRegularFile(path))
    return std::nullopt;
  return ReadSettingsFile(path);
}

} // namespace tv
