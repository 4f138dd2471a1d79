// Renaming a row's file or folder on disk as the user typed it.
#include "ops/rename.h"

#include "ops/entry_name.h"
#include "platform/file_move.h"
#include "platform/file_queries.h"
#include "texts/texts.h"

namespace tv::ops {

namespace {

RenameOutcome Refused(const RenameRequest &request, const QString &reason, Language language)
{
  return {std::nullopt, Text(texts::RenameFailed, language).arg(request.oldCaption, request.newText, reason)};
}

} // namespace

RenameOutcome RenameRow(const RenameRequest &request, Language language)
{
  const QByteArray newName = platform::NativeName(request.newText);
  const QByteArray target = request.folder + newName;
  // A drive has no name on disk to change.
  if (request.newText == request.oldCaption || request.kind == ops::RowKind::Drive ||
      request.kind == ops::RowKind::Message)
    return {};
  // The system would read the name only up to a NUL byte, in the checks too.
  if (newName.contains('\0'))
    return Refused(request, Text(texts::InvalidName, language), language);
  if (request.kind == ops::RowKind::Folder && platform::IsExistingFolder(target))
    return {std::nullopt, Text(texts::FolderNameTaken, language)};
  if (request.kind == ops::RowKind::File && platform::IsExistingFile(target))
    return {std::nullopt, Text(texts::FileNameTaken, language)};
  if (!IsPlainEntryName(newName) || !IsPlainEntryName(request.oldName))
    return Refused(request, Text(texts::InvalidName, language), language);
  const platform::Result moved = platform::MoveWithoutReplacing(request.folder + request.oldName, target);
  return moved.Ok() ? RenameOutcome{newName, {}} : Refused(request, moved.Description(), language);
}

} // namespace tv::ops
