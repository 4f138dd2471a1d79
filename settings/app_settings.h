// The program's settings as they are held in memory.
#pragma once

#include <QByteArray>
#include <array>
#include <cstdint>

#include "texts/texts.h"

namespace tv {

enum HomeLocationIndex { ApplicationFolder = 0, DriveListHome = 1, DocumentsFolder = 2, DesktopFolder = 3 };

// The program's settings in memory, owned by the program and read and written on the
// user-interface thread only.
struct Settings {
  // Language in force for every text of this run (true = English); fixed at start-up.
  bool IsEnglish = false;
  // Language chosen for the next start.
  bool StartupIsEnglish = false;
  // Files whose names begin with "." are listed.
  bool ShowHidden = false;
  // Index into HomeLocations; start-up and the Home button treat 4 or more as 3.
  std::uint8_t HomeFolder = 0;
  // The application folder (ending in "/"), the empty path standing for the drive list, the
  // user's documents folder and desktop folder (empty when not known).
  std::array<QByteArray, 4> HomeLocations;

  // The language in force, for picking texts.
  Language TextLanguage() const { return LanguageOf(IsEnglish); }

  // The home location that HomeFolder selects, never reading outside the table.
  const QByteArray &CurrentHomeLocation() const
  {
    return HomeLocations[HomeFolder < HomeLocations.size() ? HomeFolder : HomeLocations.size() - 1];
  }
};

} // namespace tv
