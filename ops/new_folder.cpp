// A new sub-folder of the shown folder.
#include "ops/new_folder.h"

#include "platform/file_create.h"
#include "platform/file_queries.h"

namespace tv::ops {

std::optional<QByteArray> MakeNewFolder(const QByteArray &folder, const QByteArray &name)
{
  const QByteArray path = folder + name;
  // Success is judged by what exists afterwards: an existing folder is opened as well.
  platform::MakeFolder(path);
  if (!platform::IsExistingFolder(path))
    return std::nullopt;
  return path;
}

} // namespace tv::ops
