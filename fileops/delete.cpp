#include "fileops/delete.h"

#include <QLabel>

#include "fileops/entry_name.h"
#include "platform/file_queries.h"
#include "platform/trash.h"
#include "settings/texts.h"
#include "ui/message_boxes.h"
#include "ui/png_bit_btn.h"

namespace tv::fileops {

DeleteStep DeleteStepFor(const QByteArray &folder, const QByteArray &name)
{
  if (folder.isEmpty() || !IsPlainEntryName(name))
    return DeleteStep::Nothing;
  if (platform::isExistingFolder(folder + name))
    return DeleteStep::RefuseFolder;
  return platform::isExistingFile(folder + name) ? DeleteStep::Ask : DeleteStep::Nothing;
}

QString DeleteQuestion(const QString &caption)
{
  return Text(texts::DeleteQuestionStart) + QStringLiteral(" \"") + caption + QLatin1Char('"') +
         Text(texts::DeleteQuestionEnd);
}

bool ConfirmDelete(ui::TForm6 &box, const QString &caption, bool isEnglish)
{
  box.Label1->setText(DeleteQuestion(caption));
  if (!isEnglish) {
    box.PngBitBtn1->setText(Text(texts::Yes));
    box.PngBitBtn2->setText(Text(texts::No));
  }
  // Enter at once must answer No: the safe answer for a question about deleting.
  box.PngBitBtn2->setFocus();
  box.exec();
  return box.DeleteConfirmed();
}

namespace {

QString TrashFailureReason(const platform::TrashedFile &trashed)
{
  switch (trashed.refusal) {
  case platform::TrashRefusal::NoHomeFolder:
    return Text(texts::NoHomeFolder);
  case platform::TrashRefusal::FileChanged:
    return Text(texts::FileChangedWhileTrashed);
  case platform::TrashRefusal::None:
    break;
  }
  return trashed.result.description();
}

} // namespace

QString RecycleFile(const QByteArray &path, const QString &caption)
{
  if (!platform::isExistingFile(path))
    return {};
  const platform::TrashedFile trashed = platform::moveToTrash(path);
  return trashed.result.ok() ? QString() : Text(texts::TrashFailed).arg(caption, TrashFailureReason(trashed));
}

} // namespace tv::fileops
