// The files dropped on the window, copied into the folder shown.
#include "ops/drop.h"

#include <QMimeData>
#include <QUrl>
#include <cerrno>
#include <climits>

#include "ops/copy_watch.h"
#include "ops/entry_name.h"
#include "platform/file_copy.h"
#include "platform/file_queries.h"

namespace tv::ops {

namespace {

bool IsLocalFile(const QUrl &url)
{
  return url.scheme() == QLatin1String("file") && (url.host().isEmpty() || url.host() == QLatin1String("localhost"));
}

bool EntryExists(const QByteArray &path) { return platform::IsExistingFile(path) || platform::IsExistingFolder(path); }

// The copies of one drop: one journal entry names all their temporary files.
struct DropCopy {
  const QByteArray &folder;
  ops::CopyWatch *watch;
  platform::CopyJournal journal;
  qint64 done = 0;
};

void CopyDroppedFile(DropCopy &drop, const QByteArray &source)
{
  const QByteArray &folder = drop.folder;
  const qsizetype slash = source.lastIndexOf('/');
  const QByteArray name = source.mid(slash + 1);
  if (!IsPlainEntryName(name) || platform::IsSameFile(source.left(slash + 1), folder))
    return;
  const platform::CopyProgress progress = drop.watch ? drop.watch->ForFile(name, drop.done) : platform::CopyProgress();
  for (int number = 1;; ++number) {
    const QByteArray target = folder + platform::NumberedName(name, number, NAME_MAX);
    if (!EntryExists(target) &&
        platform::CopyRegularFile(source, target, platform::Durability::Normal, progress, &drop.journal).Error() !=
            EEXIST)
      break;
  }
  drop.done += platform::RegularFileSize(source);
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

void CopyDroppedFiles(const QByteArray &folder, const QList<QByteArray> &paths, ops::CopyWatch *watch)
{
  DropCopy drop{folder, watch, {}};
  if (watch) {
    qint64 total = 0;
    for (const QByteArray &path : paths)
      total += platform::RegularFileSize(path);
    watch->SetTotal(total);
  }
  for (const QByteArray &path : paths) {
    if (watch && watch->Cancelled())
      return;
    CopyDroppedFile(drop, path);
  }
}

} // namespace tv::ops
