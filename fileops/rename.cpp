#include "fileops/rename.h"

#include "fileops/entry_name.h"
#include "platform/file_move.h"
#include "platform/file_queries.h"
#include "settings/texts.h"

namespace tv::fileops {

namespace {

RenameOutcome Refused(const RenameRequest &request, const QString &reason)
{
  return {std::nullopt, Text(texts::RenameFailed).arg(request.oldCaption, request.newText, reason)};
}

} // namespace

RenameOutcome RenameRow(const RenameRequest &request)
{
  const QByteArray newName = platform::nativeName(request.newText);
  const QByteArray target = request.folder + newName;
  // A drive has no name on disk to change.
  if (request.newText == request.oldCaption || request.kind == ui::RowKind::Drive ||
      request.kind == ui::RowKind::Message)
    return {};
  // The system would read the name only up to a NUL byte, in the checks too.
  if (newName.contains('\0'))
    return Refused(request, Text(texts::InvalidName));
  if (request.kind == ui::RowKind::Folder && platform::isExistingFolder(target))
    return {std::nullopt, Text(texts::FolderNameTaken)};
  if (request.kind == ui::RowKind::File && platform::isExistingFile(target))
    return {std::nullopt, Text(texts::FileNameTaken)};
  if (!IsPlainEntryName(newName) || !IsPlainEntryName(request.oldName))
    return Refused(request, Text(texts::InvalidName));
  const platform::Result moved = platform::moveWithoutReplacing(request.folder + request.oldName, target);
  return moved.ok() ? RenameOutcome{newName, {}} : Refused(request, moved.description());
}

} // namespace tv::fileops
