#include "settings/texts.h"

#include "settings/app_settings.h"

namespace tv {

QString Text(const TextPair &pair) { return QString::fromUtf8(IsEnglish ? pair.english : pair.second); }

} // namespace tv
