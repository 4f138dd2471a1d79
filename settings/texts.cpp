#include "settings/texts.h"

namespace tv {

namespace {

// The running program's IsEnglish; one program runs at a time.
const bool *englishInForce = nullptr;

} // namespace

void FollowLanguage(const bool *isEnglish) { englishInForce = isEnglish; }

QString Text(const TextPair &pair)
{
  return QString::fromUtf8(englishInForce != nullptr && *englishInForce ? pair.english : pair.second);
}

} // namespace tv
