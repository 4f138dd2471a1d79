// Deleting a file: what it comes to, the question, and the move to the trash.
#include "ops/delete.h"

#include "ops/copy_watch.h"
#include "ops/entry_name.h"
#include "platform/file_queries.h"
#include "platform/trash.h"
#include "texts/texts.h"

namespace tv::ops {

DeleteStep DeleteStepFor(const QByteArray &folder, const QByteArray &name)
{
  if (folder.isEmpty() || !IsPlainEntryName(name))
    return DeleteStep::Nothing;
  if (platform::IsExistingFolder(folder + name))
    return DeleteStep::RefuseFolder;
  return platform::IsExistingFile(folder + name) ? DeleteStep::Ask : DeleteStep::Nothing;
}

QString DeleteQuestion(const QString &caption, Language language)
{
  return Text(texts::DeleteQuestionStart, language) + QStringLiteral(" \"") + caption + QLatin1Char('"') +
         Text(texts::DeleteQuestionEnd, language);
}

namespace {

QString TrashFailureReason(const platform::TrashedFile &trashed, Language language)
{
  switch (trashed.refusal) {
  case platform::TrashRefusal::NoHomeFolder:
    return Text(texts::NoHomeFolder, language);
  case platform::TrashRefusal::FileChanged:
    return Text(texts::FileChangedWhileTrashed, language);
  case platform::TrashRefusal::KeptUnderAnotherName:
    if (trashed.result.Ok())
      return Text(texts::FileChangedWhileTrashed, language);
    break;
  case platform::TrashRefusal::None:
    break;
  }
  return trashed.result.Description();
}

} // namespace

QString RecycleFile(const QByteArray &path, const QString &caption, Language language, ops::CopyWatch *watch)
{
  if (!platform::IsExistingFile(path))
    return {};
  if (watch)
    watch->SetTotal(platform::RegularFileSize(path));
  const platform::TrashedFile trashed = platform::MoveToTrash(
      path, watch ? watch->ForFile(path.mid(path.lastIndexOf('/') + 1), 0) : platform::CopyProgress());
  if (trashed.result.Ok() || trashed.result.Error() == ECANCELED)
    return {};
  const QString reason = TrashFailureReason(trashed, language);
  if (trashed.refusal == platform::TrashRefusal::KeptUnderAnotherName)
    return Text(texts::TrashFailedKeptAt, language).arg(caption, reason, platform::DisplayName(trashed.keptAt));
  return Text(texts::TrashFailed, language).arg(caption, reason);
}

} // namespace tv::ops
