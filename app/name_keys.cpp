#include "app/name_keys.h"

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

void NameKeyMaker::append(QByteArrayView name, std::string &keys) const
{
  const QString text = platform::displayName(QByteArray::fromRawData(name.data(), name.size()));
  if (bytesKeys_) {
    const QByteArray key = (foldCase_ ? text.toCaseFolded() : text).toUtf8();
    keys.append(key.constData(), static_cast<size_t>(key.size()));
    return;
  }
  if (!collator_)
    return;
  // ICU's keys end in a zero byte and hold no other: kept without it, they compare alike.
  const size_t start = keys.size();
  const auto *units = reinterpret_cast<const UChar *>(text.utf16());
  const auto length = static_cast<int32_t>(text.size());
  auto room = static_cast<int32_t>(4 * text.size() + 16);
  for (;;) {
    keys.resize(start + static_cast<size_t>(room));
    const int32_t size =
        ucol_getSortKey(collator_, units, length, reinterpret_cast<uint8_t *>(keys.data() + start), room);
    if (size <= room) {
      keys.resize(start + static_cast<size_t>(size > 0 ? size - 1 : 0));
      return;
    }
    room = size;
  }
}

} // namespace tv
