#include "fileops/entry_name.h"

namespace tv::fileops {

bool IsPlainEntryName(const QByteArray &name)
{
  return !name.isEmpty() && name != "." && name != ".." && !name.contains('/') && !name.contains('\0');
}

} // namespace tv::fileops
