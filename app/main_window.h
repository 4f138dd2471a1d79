// The main window: the "Index of" page of one folder or of the drive list.
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <array>
#include <deque>
#include <optional>
#include <stop_token>

#include "app/location_argument.h"
#include "ops/copy_watch.h"
#include "ops/delete.h"
#include "ops/jobs.h"
#include "ops/listing.h"
#include "ops/row_kind.h"

#include "ui/borderless_frame.h"
#include "ui/user_text.h"

#include "texts/texts.h"

class QAction;
class QDialog;
class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QKeyEvent;
class QLabel;
class QMenu;
class QTimer;
class QTreeView;

namespace tv {

namespace ui {
class TPngImageList;
class TPngSpeedButton;
} // namespace ui

class ListModel;
class Program;

// How long a folder may take to answer before the user is told it is not answering.
inline constexpr std::chrono::milliseconds NotAnsweringAfter{1000};
// How long a copy may take before its progress shows, and how often the progress is shown.
inline constexpr int CopyBoxAfterMs = 500;
inline constexpr int CopyProgressEveryMs = 100;

class TForm1 : public ui::BorderlessWidget {
  Q_OBJECT
public:
  // The program whose settings and windows the main window uses.
  explicit TForm1(Program &program, QWidget *parent = nullptr);
  ~TForm1() override;

  // Lists a folder path (raw bytes), or the drive list for an empty path, on a thread of its
  // own; the path label and the rows change together when the listing is ready. A newer
  // request supersedes one still out.
  void OpenFolder(const QByteArray &path);
  // True while a listing is out.
  bool ListingPending() const { return listingOut_; }
  // True while a listing or an operation is out.
  bool Busy() const { return ListingPending() || jobsOut_ > 0; }
  // Runs disk work in a folder on a thread of its own, under the busy pointer, then its
  // result's handling here. Where the folder's mount is held by a call that does not
  // answer, or the system gives no thread, the user is told and nothing runs.
  template <typename Work, typename Done> void RunInFolder(const QByteArray &folder, Work work, Done done);
  // Lists the folder again where it is still the one shown.
  void RefreshIfShown(const QByteArray &folder);
  // Shows a box that asks the user something with the normal pointer, whatever work is
  // out, and returns its answer.
  int AskInBox(QDialog &box);
  // The folder shown, as raw bytes ending in "/"; meaningful while FolderShown().
  QByteArray CurrentFolder() const { return currentFolder_; }
  // True while a folder is shown (also one that does not exist), false in the drive list.
  bool FolderShown() const;
  // Shows a text in the program's message box and waits until it is closed.
  void ShowMessageWhite(const QString &text);

  // The selected row, or -1 when none is selected.
  int SelectedRow() const;
  // The shown caption, raw name bytes, kind and image index of a row.
  QString RowCaption(int row) const;
  QByteArray RowName(int row) const;
  ops::RowKind RowKindOf(int row) const;
  int RowImage(int row) const;

  ui::UserTextLabel *Label1;             // the folder path, after the title
  QLabel *Label2;                        // title "Index of"
  QLabel *Label3;                        // column title "Filename": sorts by name
  QLabel *Label4;                        // column title "Size": sorts by size
  QLabel *Label5;                        // column title "Last modified": sorts by time
  ui::TPngSpeedButton *PngSpeedButton1;  // Exit
  ui::TPngSpeedButton *PngSpeedButton2;  // Up
  ui::TPngSpeedButton *PngSpeedButton3;  // About
  ui::TPngSpeedButton *PngSpeedButton4;  // Drive list
  ui::TPngSpeedButton *PngSpeedButton5;  // Home
  ui::TPngSpeedButton *PngSpeedButton6;  // Refresh
  ui::TPngSpeedButton *PngSpeedButton7;  // New Word document
  ui::TPngSpeedButton *PngSpeedButton8;  // New Excel document
  ui::TPngSpeedButton *PngSpeedButton9;  // New PowerPoint document
  ui::TPngSpeedButton *PngSpeedButton10; // New folder
  ui::TPngSpeedButton *PngSpeedButton11; // Options
  ui::TPngSpeedButton *PngSpeedButton12; // My documents (hidden)
  ui::TPngSpeedButton *PngSpeedButton13; // Desktop (hidden)
  QTreeView *ListView1;                  // the folder's entries or the drives
  QMenu *PopupMenu1;                     // the list's pop-up menu
  QAction *Rename1;
  QAction *Delete1;
  ui::TPngImageList *PngImageList1; // the rows' pictures

  // Start-up, language and navigation (main_window.cpp)
  void FormCreate();
  void ApplyLanguage();
  void PngSpeedButton1Click();  // exit
  void PngSpeedButton2Click();  // up
  void PngSpeedButton4Click();  // drive list
  void PngSpeedButton5Click();  // home
  void PngSpeedButton6Click();  // refresh
  void PngSpeedButton12Click(); // my documents
  void PngSpeedButton13Click(); // desktop
  void ListView1DblClick();
  void Label3Click(); // sort by name
  void Label4Click(); // sort by size
  void Label5Click(); // sort by time

  // New folder and new documents (main_window_create.cpp)
  void PngSpeedButton7Click();  // new Word document
  void PngSpeedButton8Click();  // new Excel document
  void PngSpeedButton9Click();  // new PowerPoint document
  void PngSpeedButton10Click(); // new folder

  // Rename, delete and dropped files (main_window_change.cpp)
  void ListView1KeyDown(QKeyEvent *event);
  void PopupMenu1Popup();
  void Rename1Click();
  void Delete1Click();
  // Called when an edit of a row's caption is confirmed: renames the entry on disk, then
  // the row.
  void ListView1Edited(int row, const QString &newText);
  void ListViewDeleteFile(int row);
  // Shows the progress of a long copy in its box from half a second on, until it ends.
  void WatchCopy(std::shared_ptr<ops::CopyWatch> watch);
  void EndCopyWatch(const std::shared_ptr<ops::CopyWatch> &watch);
  void ShowCopyProgress();
  void CancelCopy();
  // Asks and trashes once the check of the entry is back.
  void DeleteAfterCheck(ops::DeleteStep step, const QByteArray &folder, const QByteArray &name, const QString &caption);
  void AcceptFiles(const QList<QByteArray> &paths);

  // Options (main_window_options.cpp) and About (main_window_about.cpp)
  void PngSpeedButton11Click(); // options
  void PngSpeedButton3Click();  // about

  // Locations handed over by the command line or by the desktop (main_window_desktop.cpp)
  // Shows a folder, or a file's folder with the file's row selected; for anything else the
  // window stays where it is and says why. Asks the disk what the path names.
  void ShowLocation(const LocationRequest &request);
  // Shows a location another program asked for once no modal box of this program is open,
  // then brings the window to the front.
  void ShowLocationFromDesktop(const LocationRequest &request);

protected:
  // Dropped files (main_window_change.cpp)
  void dragEnterEvent(QDragEnterEvent *event) override;
  void dragMoveEvent(QDragMoveEvent *event) override;
  void dropEvent(QDropEvent *event) override;

private:
  void CreateControls();
  // Assigns every text of the window in the language (main_window_language.cpp).
  void SetTexts(Language language);
  void ConnectHandlers();
  // Shows a text in the path label, cut at its greatest width.
  void ShowPath(const QString &text);
  // Shows a folder's rows (the drive list's for an empty folder) under its path.
  void ShowRows(const QByteArray &folder, platform::FolderState state, RowTable rows);
  // Shows a finished listing and ends the wait for it.
  void ShowListing(Listing listing);
  // Shows the busy pointer or the normal one, as the work out and the boxes open say.
  void UpdatePointer();
  // Runs disk work on a thread of its own and its result's handling here; where the system
  // gives no thread, says so and runs nothing.
  template <typename Work, typename Done> bool RunJob(Work work, Done done);
  bool IsRow(int row) const;
  // Lists a folder as OpenFolder does, then selects and shows the row of that name where
  // the listing has one.
  void ListFolder(const QByteArray &path, const QByteArray &selection);
  // Selects and shows the row of a name, where there is one (main_window_desktop.cpp).
  void SelectRowNamed(const QByteArray &name);
  // Shows what the look at a location found: its folder, or why it cannot be shown.
  void ShowLocationAs(const LocationRequest &request, platform::LocationKind kind);
  void ShowDesktopRequests();

  Program &program_;
  QByteArray currentFolder_;
  ListModel *listModel_ = nullptr;
  ops::JobRunner jobs_{this};
  // The listing out: its number (a result of any other is dropped), its stop, the busy
  // pointer shown while it is out, and the timer after which it says it is not answering.
  quint64 listingNumber_ = 0;
  std::stop_source listingStop_;
  bool listingOut_ = false;
  bool notAnsweringShown_ = false;
  QByteArray requestedFolder_;
  QTimer *notAnsweringTimer_ = nullptr;
  // The listing's count of the folder's answers, and the count the timer saw last.
  std::shared_ptr<std::atomic<quint64>> listingAnswers_;
  quint64 answersSeen_ = 0;
  // The copy whose progress is shown, and the timer that shows it.
  std::shared_ptr<ops::CopyWatch> copyWatch_;
  QTimer *copyTimer_ = nullptr;
  QElapsedTimer copyStarted_;
  // Operations out.
  int jobsOut_ = 0;
  // The busy pointer shows while work is out that the user has not been told about, but
  // never over a box that asks the user something.
  int boxesOpen_ = 0;
  bool pointerBusy_ = false;
  // Locations other programs asked for while a modal box was open, oldest first.
  std::deque<LocationRequest> desktopRequests_;
  bool waitingForModalBox_ = false;
};

} // namespace tv
