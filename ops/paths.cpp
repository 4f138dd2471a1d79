// Folder paths handled as text alone, never asking the disk.
#include "ops/paths.h"

#include <QList>

namespace tv {

QByteArray NormaliseFolderPath(QByteArray path)
{
  path.replace("//", "/");
  if (!path.isEmpty() && !path.endsWith('/'))
    path.append('/');
  return path;
}

QByteArray ParentFolderOf(const QByteArray &folder)
{
  const bool absolute = folder.startsWith('/');
  QList<QByteArray> kept;
  for (const QByteArray &component : (folder + "/..").split('/')) {
    if (component.isEmpty() || component == ".")
      continue;
    if (component != "..")
      kept.append(component);
    else if (!kept.isEmpty() && kept.last() != "..")
      kept.removeLast();
    else if (!absolute)
      kept.append(component); // a relative path may climb above where it starts
  }
  const QByteArray joined = kept.join('/');
  if (absolute)
    return '/' + joined;
  return joined.isEmpty() ? QByteArray(".") : joined;
}

} // namespace tv
