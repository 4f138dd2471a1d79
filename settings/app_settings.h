#pragma once

#include <QByteArray>
#include <array>
#include <cstdint>

#include "texts/texts.h"

// The program's settings in memory, process-wide, read and written on the user-interface
// thread only.
namespace tv {

// Language in force for every text of this run (true = English); fixed at start-up.
inline bool IsEnglish = false;
// The language in force, for picking texts.
inline Language TextLanguage() { return IsEnglish ? &TextPair::english : &TextPair::second; }
// Language chosen for the next start.
inline bool StartupIsEnglish = false;
// Files whose names begin with "." are listed.
inline bool ShowHidden = false;
// Index into HomeLocations; start-up and the Home button treat 4 or more as 3.
inline std::uint8_t HomeFolder = 0;

enum HomeLocationIndex { ApplicationFolder = 0, DriveListHome = 1, DocumentsFolder = 2, DesktopFolder = 3 };

// The application folder (ending in "/"), the empty path standing for the drive list, the
// user's documents folder and desktop folder (empty when not known).
inline std::array<QByteArray, 4> HomeLocations;

// The home location that HomeFolder selects, never reading outside the table.
inline const QByteArray &CurrentHomeLocation()
{
  return HomeLocations[HomeFolder < HomeLocations.size() ? HomeFolder : HomeLocations.size() - 1];
}

} // namespace tv
