// Loading and saving the settings.
#pragma once

#include <QByteArray>
#include <optional>

namespace tv {

struct Settings;

// Fills the settings in memory: built-in defaults, then Settings.ini beside the executable,
// then the user's own store. Never reports anything.
void LoadSettings(Settings &settings);

// LoadSettings for the executable at the given absolute path: its folder is the
// application folder that holds Settings.ini, and the path is recorded in the user's store.
void LoadSettingsFor(Settings &settings, const QByteArray &executable);

// Settings.ini in the application folder; empty when that folder is not known.
QByteArray SettingsFilePath(const Settings &settings);

// Stores StartupIsEnglish, ShowHidden and HomeFolder in the user's own store. A failure is
// not reported: the settings then hold for this run only.
void SaveUserSettings(const Settings &settings);

// Writes the defaults of this copy of the program to Settings.ini, one key at a time:
// language index 1 is the second language, any other English. False at the first refused
// write; keys written before it stay written.
bool WriteDefaultSettings(const Settings &settings, int languageIndex, bool showHidden, int homeIndex);

// The defaults in Settings.ini; a missing or malformed value gives English, hidden files
// not listed and the application folder.
struct DefaultSettings {
  bool english = true;
  bool showHidden = false;
  // As written in the file, not reduced to 0..3.
  int homeFolder = 0;
};

// Nothing when Settings.ini does not exist as a file.
std::optional<DefaultSettings> ReadDefaultSettings(const Settings &settings);

} // namespace tv
