// Picking the text of a pair in the language in force.
#include "texts/texts.h"

namespace tv {

QString Text(const TextPair &pair, Language language) { return QString::fromUtf8(pair.*language); }

} // namespace tv
