// Whether a name names one entry of a folder and nothing else.
#include "ops/entry_name.h"

namespace tv::ops {

bool IsPlainEntryName(const QByteArray &name)
{
  return !name.isEmpty() && name != "." && name != ".." && !name.contains('/') && !name.contains('\0');
}

} // namespace tv::ops
