// The main window's handlers that rename, delete and receive dropped files.
#include "app/main_window.h"

#include <QAction>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTimer>
#include <QTreeView>

#include "app/list_model.h"
#include "app/main_window_jobs.h"
#include "app/program.h"
#include "fileops/delete_question.h"
#include "ops/delete.h"
#include "ops/drop.h"
#include "ops/rename.h"
#include "ops/row_texts.h"
#include "platform/file_queries.h"
#include "settings/app_settings.h"
#include "texts/texts.h"

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
  if (RowKindOf(row) == ops::RowKind::Drive) {
    listModel_->SetDriveCaption(row, newText);
    return;
  }
  const ops::RenameRequest request{CurrentFolder(), RowKindOf(row), RowCaption(row), RowName(row), newText};
  const Language language = program_.settings.TextLanguage();
  RunInFolder(
      request.folder, [request, language] { return ops::RenameRow(request, language); },
      [this, row, request](const ops::RenameOutcome &outcome) {
        // The row is renamed before any message: while a box is open the folder may be
        // listed anew. A row that a listing replaced meanwhile is left to that listing.
        if (outcome.newName && currentFolder_ == request.folder && RowName(row) == request.oldName)
          listModel_->RenameRow(row, *outcome.newName);
        if (!outcome.message.isEmpty())
          ShowMessageWhite(outcome.message);
      });
}

void TForm1::ListViewDeleteFile(int row)
{
  if (!FolderShown())
    return;
  // Taken once: the file trashed is the one the question names.
  const QByteArray folder = CurrentFolder(), name = RowName(row);
  const QString caption = RowCaption(row);
  RunInFolder(
      folder, [folder, name] { return ops::DeleteStepFor(folder, name); },
      [this, folder, name, caption](ops::DeleteStep step) { DeleteAfterCheck(step, folder, name, caption); });
}

void TForm1::DeleteAfterCheck(ops::DeleteStep step, const QByteArray &folder, const QByteArray &name,
                              const QString &caption)
{
  const Language language = program_.settings.TextLanguage();
  if (step == ops::DeleteStep::RefuseFolder)
    ShowMessageWhite(Text(texts::CannotDeleteFolders, language));
  if (step != ops::DeleteStep::Ask ||
      !fileops::ConfirmDelete(*program_.Form6, caption, language, [this](QDialog &box) { return AskInBox(box); }))
    return;
  // Where the volume has no trash of its own, the file is copied to the home trash.
  auto watch = std::make_shared<ops::CopyWatch>();
  WatchCopy(watch);
  RunInFolder(
      folder,
      [path = folder + name, caption, language, watch] {
        return ops::RecycleFile(path, caption, language, watch.get());
      },
      [this, folder, watch](const QString &failure) {
        EndCopyWatch(watch);
        RefreshIfShown(folder);
        if (!failure.isEmpty())
          ShowMessageWhite(failure);
      });
}

void TForm1::AcceptFiles(const QList<QByteArray> &paths)
{
  if (!FolderShown())
    return;
  const QByteArray folder = CurrentFolder();
  auto watch = std::make_shared<ops::CopyWatch>();
  WatchCopy(watch);
  RunInFolder(
      folder,
      [folder, paths, watch] {
        ops::CopyDroppedFiles(folder, paths, watch.get());
        return true;
      },
      [this, folder, watch](bool) {
        EndCopyWatch(watch);
        RefreshIfShown(folder);
      });
}

void TForm1::WatchCopy(std::shared_ptr<ops::CopyWatch> watch)
{
  copyWatch_ = std::move(watch);
  copyStarted_.start();
  copyTimer_->start();
}

void TForm1::EndCopyWatch(const std::shared_ptr<ops::CopyWatch> &watch)
{
  if (watch != copyWatch_)
    return;
  copyWatch_.reset();
  copyTimer_->stop();
  if (program_.copyProgressBox.Exists())
    program_.copyProgressBox->hide();
}

void TForm1::CancelCopy()
{
  if (copyWatch_)
    copyWatch_->Cancel();
}

void TForm1::ShowCopyProgress()
{
  // A copy that ends within half a second shows no box.
  if (!copyWatch_ || copyWatch_->Cancelled() || copyStarted_.elapsed() < CopyBoxAfterMs)
    return;
  const Language language = program_.settings.TextLanguage();
  const QString point = QLocale::system().decimalPoint();
  ui::CopyProgressBox &box = *program_.copyProgressBox;
  if (!box.isVisible()) {
    box.SetTexts(language);
    connect(&box, &ui::CopyProgressBox::CancelClicked, this, &TForm1::CancelCopy, Qt::UniqueConnection);
  }
  box.ShowProgress(platform::DisplayName(copyWatch_->Name()),
                   Text(texts::BytesDoneOfTotal, language)
                       .arg(FormatSize(copyWatch_->Done(), point), FormatSize(copyWatch_->Total(), point)));
}

void TForm1::dragEnterEvent(QDragEnterEvent *event) { AcceptAsCopy(event, FolderShown()); }

void TForm1::dragMoveEvent(QDragMoveEvent *event) { AcceptAsCopy(event, FolderShown()); }

void TForm1::dropEvent(QDropEvent *event)
{
  if (!AcceptAsCopy(event, FolderShown()))
    return;
  const QList<QByteArray> paths = ops::DroppedLocalPaths(*event->mimeData());
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
