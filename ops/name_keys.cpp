// Sort keys of names, made into one block for a whole listing.
#include "ops/name_keys.h"

#include <algorithm>
#include <unicode/ucol.h>

#include "platform/file_queries.h"

namespace tv {

namespace {

// The collator QCollator opens for a locale other than C, with the same attributes.
UCollator *OpenCollator(const QCollator &collator)
{
  UErrorCode status = U_ZERO_ERROR;
  const QByteArray name = collator.locale().bcp47Name().toLatin1().replace('-', '_');
  UCollator *opened = ucol_open(name.constData(), &status);
  if (U_FAILURE(status))
    return nullptr;
  ucol_setAttribute(opened, UCOL_NORMALIZATION_MODE, UCOL_ON, &status);
  const std::pair<UColAttribute, UColAttributeValue> attributes[] = {
      {UCOL_STRENGTH, collator.caseSensitivity() == Qt::CaseSensitive ? UCOL_DEFAULT_STRENGTH : UCOL_SECONDARY},
      {UCOL_NUMERIC_COLLATION, collator.numericMode() ? UCOL_ON : UCOL_OFF},
      {UCOL_ALTERNATE_HANDLING, collator.ignorePunctuation() ? UCOL_SHIFTED : UCOL_NON_IGNORABLE},
  };
  for (const auto &[attribute, value] : attributes) {
    status = U_ZERO_ERROR;
    ucol_setAttribute(opened, attribute, value, &status);
  }
  return opened;
}

QString ShownText(QByteArrayView name)
{
  return platform::DisplayName(QByteArray::fromRawData(name.data(), name.size()));
}

// The C locale's key of an ASCII name: the name itself, its capitals made small when folding
// (case folding changes no other ASCII character).
void AppendAsciiKey(QByteArrayView name, bool foldCase, std::string &keys)
{
  const size_t start = keys.size();
  keys.append(name.data(), static_cast<size_t>(name.size()));
  if (foldCase)
    for (size_t i = start; i < keys.size(); ++i)
      if (keys[i] >= 'A' && keys[i] <= 'Z')
        keys[i] = static_cast<char>(keys[i] - 'A' + 'a');
}

void AppendUtf8Key(const QString &text, bool foldCase, std::string &keys)
{
  const QByteArray key = (foldCase ? text.toCaseFolded() : text).toUtf8();
  keys.append(key.constData(), static_cast<size_t>(key.size()));
}

// ICU's keys end in a zero byte and hold no other: kept without it, they compare alike.
void AppendCollatorKey(const UCollator *collator, QStringView text, std::string &keys)
{
  const size_t start = keys.size();
  const auto length = static_cast<int32_t>(text.size());
  auto room = static_cast<int32_t>(4 * text.size() + 16);
  for (;;) {
    keys.resize(start + static_cast<size_t>(room));
    const int32_t size =
        ucol_getSortKey(collator, text.utf16(), length, reinterpret_cast<uint8_t *>(keys.data() + start), room);
    if (size <= room) {
      keys.resize(start + static_cast<size_t>(size > 0 ? size - 1 : 0));
      return;
    }
    room = size;
  }
}

} // namespace

NameKeyMaker::NameKeyMaker(const QCollator &collator)
    : bytesKeys_(collator.locale().language() == QLocale::C),
      foldCase_(bytesKeys_ && collator.caseSensitivity() == Qt::CaseInsensitive),
      collator_(bytesKeys_ ? nullptr : OpenCollator(collator))
{
}

NameKeyMaker::~NameKeyMaker()
{
  if (collator_)
    ucol_close(collator_);
}

void NameKeyMaker::Append(QByteArrayView name, std::string &keys)
{
  const bool ascii = std::all_of(name.begin(), name.end(), [](char c) { return static_cast<uchar>(c) < 0x80; });
  if (bytesKeys_) {
    if (ascii)
      AppendAsciiKey(name, foldCase_, keys);
    else
      AppendUtf8Key(ShownText(name), foldCase_, keys);
    return;
  }
  if (!collator_)
    return;
  if (ascii) {
    // ASCII is its own UTF-16, one unit per byte: no text object needed.
    units_.assign(name.begin(), name.end());
    AppendCollatorKey(collator_, units_, keys);
  } else {
    const QString text = ShownText(name);
    AppendCollatorKey(collator_, QStringView(text), keys);
  }
}

} // namespace tv
