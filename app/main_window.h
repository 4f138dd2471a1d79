#pragma once

#include <QByteArray>
#include <QString>
#include <QWidget>
#include <array>
#include <optional>

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
class BorderlessFrame;
class TPngImageList;
class TPngSpeedButton;
} // namespace ui

class ListModel;
class Program;

// The main window: the "Index of" page of one folder or of the drive list.
class TForm1 : public QWidget {
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
  // The shown caption, raw name bytes and image index of a row.
  QString RowCaption(int row) const;
  QByteArray RowName(int row) const;
  int RowImage(int row) const;

  ui::BorderlessFrame *Frame;
  QLabel *Label1;
  QLabel *Label2;
  QLabel *Label3;
  QLabel *Label4;
  QLabel *Label5;
  ui::TPngSpeedButton *PngSpeedButton1;
  ui::TPngSpeedButton *PngSpeedButton2;
  ui::TPngSpeedButton *PngSpeedButton3;
  ui::TPngSpeedButton *PngSpeedButton4;
  ui::TPngSpeedButton *PngSpeedButton5;
  ui::TPngSpeedButton *PngSpeedButton6;
  ui::TPngSpeedButton *PngSpeedButton7;
  ui::TPngSpeedButton *PngSpeedButton8;
  ui::TPngSpeedButton *PngSpeedButton9;
  ui::TPngSpeedButton *PngSpeedButton10;
  ui::TPngSpeedButton *PngSpeedButton11;
  ui::TPngSpeedButton *PngSpeedButton12;
  ui::TPngSpeedButton *PngSpeedButton13;
  QTreeView *ListView1;
  QMenu *PopupMenu1;
  QAction *Rename1;
  QAction *Delete1;
  ui::TPngImageList *PngImageList1;

  // Start-up, language and navigation (main_window.cpp)
  void FormCreate();
  void ApplyLanguage();
  void PngSpeedButton1Click();
  void PngSpeedButton2Click();
  void PngSpeedButton4Click();
  void PngSpeedButton5Click();
  void PngSpeedButton6Click();
  void PngSpeedButton12Click();
  void PngSpeedButton13Click();
  void ListView1DblClick();
  void Label3Click();
  void Label4Click();
  void Label5Click();

  // New folder and new documents (main_window_create.cpp)
  void PngSpeedButton7Click();
  void PngSpeedButton8Click();
  void PngSpeedButton9Click();
  void PngSpeedButton10Click();

  // Rename, delete and dropped files (main_window_change.cpp)
  void ListView1KeyDown(QKeyEvent *event);
  void PopupMenu1Popup();
  void Rename1Click();
  void Delete1Click();
  // Called when an edit of a row's caption is confirmed; returns the name the row's entry
  // was moved to, or nothing when the row keeps its name.
  std::optional<QByteArray> ListView1Edited(int row, const QString &newText);
  void ListViewDeleteFile(int row);
  void AcceptFiles(const QList<QByteArray> &paths);

  // Options (main_window_options.cpp) and About (main_window_about.cpp)
  void PngSpeedButton11Click();
  void PngSpeedButton3Click();

protected:
  // Dropped files (main_window_change.cpp)
  void dragEnterEvent(QDragEnterEvent *event) override;
  void dragMoveEvent(QDragMoveEvent *event) override;
  void dropEvent(QDropEvent *event) override;

private:
  void CreateControls();
  void ConnectHandlers();
  // Shows a text in the path label, cut at its greatest width.
  void ShowPath(const QString &text);
  bool IsRow(int row) const;

  Program &program_;
  QByteArray currentFolder_;
  ListModel *listModel_ = nullptr;
};

} // namespace tv
