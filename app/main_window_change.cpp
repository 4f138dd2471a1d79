// The main window's handlers that rename, delete and receive dropped files.
#include "app/main_window.h"

#include <QAction>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTreeView>

#include "app/list_model.h"
#include "app/program.h"
#include "fileops/delete.h"
#include "fileops/drop.h"
#include "fileops/rename.h"
#include "settings/app_settings.h"
#include "texts/texts.h"
#include "ui/busy_pointer.h"

namespace tv {

namespace {

// Accepts a drag that may carry files as a copy; the program offering them must never
// delete them as it would after a move. Only the offered formats are looked at: reading
// the list is a transfer from that program, too slow for every move of the pointer.
bool AcceptAsCopy(QDropEvent *event, bool folderShown)
{
  if (!folderShown || !(event->possibleActions() & Qt::CopyAction) || !event->mimeData()->hasUrls()) {
    event->ignore();
    return false;
  }
  event->setDropAction(Qt::CopyAction);
  event->accept();
  return true;
}

} // namespace

void TForm1::ListView1KeyDown(QKeyEvent *event)
{
  if (SelectedRow() < 0)
    return;
  if (event->key() == Qt::Key_F2)
    Rename1Click();
  else if (event->key() == Qt::Key_Delete)
    ListViewDeleteFile(SelectedRow());
}

void TForm1::PopupMenu1Popup()
{
  const bool enabled = FolderShown() && SelectedRow() >= 0;
  Rename1->setEnabled(enabled);
  Delete1->setEnabled(enabled);
}

void TForm1::Rename1Click()
{
  const int row = SelectedRow();
  if (row >= 0 && ListView1->model() != nullptr)
    ListView1->edit(ListView1->model()->index(row, 0));
}

void TForm1::Delete1Click()
{
  if (SelectedRow() >= 0)
    ListViewDeleteFile(SelectedRow());
}

void TForm1::ListView1Edited(int row, const QString &newText)
{
  if (RowKindOf(row) == ui::RowKind::Drive) {
    listModel_->SetDriveCaption(row, newText);
    return;
  }
  const fileops::RenameOutcome outcome = fileops::RenameRow(
      {CurrentFolder(), RowKindOf(row), RowCaption(row), RowName(row), newText}, program_.settings.TextLanguage());
  // The row is renamed before any message: while a box is open the folder may be listed anew.
  if (outcome.newName)
    listModel_->RenameRow(row, *outcome.newName);
  if (!outcome.message.isEmpty())
    ShowMessageWhite(outcome.message);
}

void TForm1::ListViewDeleteFile(int row)
{
  const QByteArray folder = FolderShown() ? CurrentFolder() : QByteArray();
  const QString caption = RowCaption(row);
  switch (fileops::DeleteStepFor(folder, RowName(row))) {
  case fileops::DeleteStep::Nothing:
    return;
  case fileops::DeleteStep::RefuseFolder:
    ShowMessageWhite(Text(texts::CannotDeleteFolders, program_.settings.TextLanguage()));
    return;
  case fileops::DeleteStep::Ask:
    break;
  }
  if (!fileops::ConfirmDelete(*program_.Form6, caption, program_.settings.TextLanguage()))
    return;
  // Where the volume has no trash of its own, the file is copied to the home trash.
  const QString failure = ui::WhileBusy(
      [&] { return fileops::RecycleFile(folder + RowName(row), caption, program_.settings.TextLanguage()); });
  OpenFolder(folder);
  if (!failure.isEmpty())
    ShowMessageWhite(failure);
}

void TForm1::AcceptFiles(const QList<QByteArray> &paths)
{
  if (!FolderShown())
    return;
  ui::WhileBusy([&] { fileops::CopyDroppedFiles(CurrentFolder(), paths); });
  OpenFolder(CurrentFolder());
}

void TForm1::dragEnterEvent(QDragEnterEvent *event) { AcceptAsCopy(event, FolderShown()); }

void TForm1::dragMoveEvent(QDragMoveEvent *event) { AcceptAsCopy(event, FolderShown()); }

void TForm1::dropEvent(QDropEvent *event)
{
  if (!AcceptAsCopy(event, FolderShown()))
    return;
  const QList<QByteArray> paths = fileops::DroppedLocalPaths(*event->mimeData());
  if (paths.isEmpty()) {
    event->ignore();
    return;
  }
  // Copied once the drop is over, so that the program offering the files is not kept
  // waiting for a long copy.
  QMetaObject::invokeMethod(
      this, [this, paths] { AcceptFiles(paths); }, Qt::QueuedConnection);
}

} // namespace tv
