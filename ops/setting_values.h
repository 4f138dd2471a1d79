// How the settings stores' texts and numbers are understood, apart from any store or window.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <optional>

namespace tv {

// A whole number in decimal with an optional sign, or in hexadecimal after "0x" or "0X",
// within the 32 bits the stores keep (hexadecimal above 0x7FFFFFFF wraps to a negative
// number). Any other text, also one with blanks or a trailing remainder, is no number.
std::optional<int> ParseSettingInteger(QByteArrayView text);

// The settings file chooses the second language with "nl" in any case.
bool FileChoosesSecondLanguage(QByteArrayView value);

// The user's own store chooses it with exactly "nl"; the text ends at its first NUL.
bool StoreChoosesSecondLanguage(const QString &value);

// A stored home location number as the HomeFolder setting: its low 8 bits.
std::uint8_t HomeFolderFromNumber(int number);

// The number of home locations the Options dialog offers.
inline constexpr int HomeLocationCount = 4;

// The home location item an index selects: 4 or more selects the last one, "Desktop";
// below 0 selects none (-1).
int HomeItemForIndex(int index);

// The home location to store for a selected item. With none selected the user has chosen
// no location, so the built-in default, the application folder, is stored.
int HomeIndexForItem(int item);

} // namespace tv
