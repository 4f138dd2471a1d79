#include "fileops/delete.h"

#include <QLabel>

#include "fileops/entry_name.h"
#include "platform/file_queries.h"
#include "platform/trash.h"
#include "settings/app_settings.h"
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

bool ConfirmDelete(ui::TForm6 &box, const QString &caption)
{
  ui::DeleteConfirmed = false;
  box.Label1->setText(DeleteQuestion(caption));
  if (!IsEnglish) {
    box.PngBitBtn1->setText(Text(texts::Yes));
    box.PngBitBtn2->setText(Text(texts::No));
  }
  // Enter at once must answer No: the safe answer for a question about deleting.
  box.PngBitBtn2->setFocus();
  box.exec();
  return ui::DeleteConfirmed;
}

QString RecycleFile(const QByteArray &path, const QString &caption)
{
  if (!platform::isExistingFile(path))
    return {};
  const platform::FileResult trashed = platform::moveToTrash(path).result;
  return trashed.ok() ? QString() : Text(texts::TrashFailed).arg(caption, trashed.description());
}

} // namespace tv::fileops
