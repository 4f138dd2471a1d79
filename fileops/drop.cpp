#include "fileops/drop.h"

#include <QMimeData>
#include <QUrl>
#include <cerrno>
#include <climits>

#include "fileops/entry_name.h"
#include "platform/file_copy.h"
#include "platform/file_queries.h"

namespace tv::fileops {

namespace {

bool IsLocalFile(const QUrl &url)
{
  return url.scheme() == QLatin1String("file") && (url.host().isEmpty() || url.host() == QLatin1String("localhost"));
}

bool EntryExists(const QByteArray &path) { return platform::IsExistingFile(path) || platform::IsExistingFolder(path); }

void CopyDroppedFile(const QByteArray &folder, const QByteArray &source)
{
  const qsizetype slash = source.lastIndexOf('/');
  const QByteArray name = source.mid(slash + 1);
  if (!IsPlainEntryName(name) || platform::IsSameFile(source.left(slash + 1), folder))
    return;
  for (int number = 1;; ++number) {
    const QByteArray target = folder + platform::NumberedName(name, number, NAME_MAX);
    if (!EntryExists(target) && platform::CopyRegularFile(source, target).Error() != EEXIST)
      return;
  }
}

} // namespace

QList<QByteArray> DroppedLocalPaths(const QMimeData &data)
{
  QList<QByteArray> paths;
  for (const QUrl &url : data.urls()) {
    // QUrl::toLocalFile would turn bytes that are not UTF-8 into replacement characters.
    if (IsLocalFile(url))
      paths.append(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
  }
  return paths;
}

void CopyDroppedFiles(const QByteArray &folder, const QList<QByteArray> &paths)
{
  for (const QByteArray &path : paths)
    CopyDroppedFile(folder, path);
}

} // namespace tv::fileops
