#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <deque>

#include "app/location_argument.h"
#include "ui/row_kind.h"

#include "ui/borderless_frame.h"
#include "ui/user_text.h"

#include "texts/texts.h"

class QAction;
class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QKeyEvent;
class QLabel;
class QMenu;
class QTreeView;

namespace tv {

namespace ui {
class TPngImageList;
class TPngSpeedButton;
} // namespace ui

class ListModel;
class Program;

// The main window: the "Index of" page of one folder or of the drive list.
class TForm1 : public ui::BorderlessWidget {
  Q_OBJECT
public:
  // The program whose settings and windows the main window uses.
  explicit TForm1(Program &program, QWidget *parent = nullptr);
  ~TForm1() override;

  // Rebuilds the list for a folder path (raw bytes), or shows the drive list for an empty
  // path.
  void OpenFolder(const QByteArray &path);
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
  ui::RowKind RowKindOf(int row) const;
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
  bool IsRow(int row) const;
  // Selects and shows the row named by pendingSelection_ where the listing has it, and
  // clears it (main_window_desktop.cpp).
  void SelectPendingRow();
  void ShowDesktopRequests();

  Program &program_;
  QByteArray currentFolder_;
  ListModel *listModel_ = nullptr;
  // The name to select once the next listing has its rows.
  QByteArray pendingSelection_;
  // Locations other programs asked for while a modal box was open, oldest first.
  std::deque<LocationRequest> desktopRequests_;
  bool waitingForModalBox_ = false;
};

} // namespace tv
