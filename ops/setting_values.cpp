// Parsing the numbers and language values found in the settings stores.
#include "ops/setting_values.h"

#include <QByteArray>
#include <algorithm>
#include <limits>

namespace tv {

namespace {

bool AllDigits(QByteArrayView text, bool hexadecimal)
{
  return !text.isEmpty() && std::all_of(text.begin(), text.end(), [hexadecimal](char c) {
    return (c >= '0' && c <= '9') || (hexadecimal && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')));
  });
}

} // namespace

std::optional<int> ParseSettingInteger(QByteArrayView text)
{
  bool ok = false;
  if (text.startsWith("0x") || text.startsWith("0X")) {
    const QByteArrayView digits = text.sliced(2);
    const qulonglong value = AllDigits(digits, true) ? digits.toByteArray().toULongLong(&ok, 16) : 0;
    if (!ok || value > std::numeric_limits<quint32>::max())
      return std::nullopt;
    return static_cast<int>(static_cast<quint32>(value));
  }
  const QByteArrayView digits = text.startsWith('-') || text.startsWith('+') ? text.sliced(1) : text;
  const qlonglong value = AllDigits(digits, false) ? text.toByteArray().toLongLong(&ok, 10) : 0;
  if (!ok || value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
    return std::nullopt;
  return static_cast<int>(value);
}

bool FileChoosesSecondLanguage(QByteArrayView value) { return value.compare("NL", Qt::CaseInsensitive) == 0; }

bool StoreChoosesSecondLanguage(const QString &value)
{
  const qsizetype nul = value.indexOf(QChar(u'\0'));
  return QStringView(value).first(nul < 0 ? value.size() : nul) == u"nl";
}

std::uint8_t HomeFolderFromNumber(int number) { return static_cast<std::uint8_t>(number & 0xFF); }

int HomeItemForIndex(int index) { return index < 0 ? -1 : std::min(index, HomeLocationCount - 1); }

int HomeIndexForItem(int item) { return item < 0 ? 0 : item; }

} // namespace tv
