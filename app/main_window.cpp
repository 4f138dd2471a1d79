// The main window: the "Index of" page of one folder or of the drive list.
#include "app/main_window.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>
#include <QTreeView>
#include <functional>

#include "app/list_model.h"
#include "app/main_window_jobs.h"
#include "app/program.h"
#include "app/row_delegate.h"
#include "ops/listing.h"
#include "ops/paths.h"
#include "platform/file_queries.h"
#include "platform/journal.h"
#include "platform/launcher.h"
#include "settings/settings_store.h"
#include "texts/texts.h"
#include "ui/borderless_frame.h"
#include "ui/glyphs.h"
#include "ui/message_label.h"
#include "ui/png_image_list.h"
#include "ui/png_speed_button.h"
#include "ui/pointer_feedback.h"
#include "ui/program_font.h"

namespace tv {

namespace {

ui::TPngSpeedButton *GlyphButton(QWidget *parent, QRect geometry, ui::Picture glyph, int margin)
{
  auto *button = new ui::TPngSpeedButton(parent);
  button->setGeometry(geometry);
  button->SetPngImage(ui::Glyph(glyph));
  button->SetMargin(margin);
  return button;
}

QLabel *ColumnTitle(QWidget *parent, QPoint position)
{
  auto *title = new ui::LineLabel(QString(), parent);
  title->setFont(ui::TahomaFont(16, true));
  title->move(position);
  title->setCursor(Qt::PointingHandCursor);
  return title;
}

// Hands the events of the objects it watches to a function, which says whether it took them.
class EventHook : public QObject {
public:
  using Handler = std::function<bool(QEvent *)>;
  EventHook(QObject *watched, Handler handler) : QObject(watched), handler_(std::move(handler))
  {
    watched->installEventFilter(this);
  }

protected:
  bool eventFilter(QObject *, QEvent *event) override { return handler_(event); }

private:
  Handler handler_;
};

// Calls a handler for a left click on a widget: a press and a release inside it.
void OnClick(QWidget *widget, std::function<void()> handler)
{
  new EventHook(widget, [widget, handler = std::move(handler)](QEvent *event) {
    if (event->type() != QEvent::MouseButtonRelease)
      return false;
    const auto *mouse = static_cast<QMouseEvent *>(event);
    if (mouse->button() == Qt::LeftButton && widget->rect().contains(mouse->position().toPoint()))
      handler();
    return false;
  });
}

// Keys that the list would act on by itself but that have no action in this program.
bool IsInertKey(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Backspace; }

constexpr int PathLabelMaxWidth = 737;
constexpr int ColumnWidths[] = {540, 100, 140};

} // namespace

TForm1::TForm1(Program &program, QWidget *parent)
    : ui::BorderlessWidget(parent, ui::CornerNames::TopLeftTopRightBottomLeftBottomRight,
                           [this](QPoint point) {
                             return point.x() <= PngSpeedButton1->x() &&
                                    ui::BorderlessFrame::DownToBottomOf(point, Label2);
                           }),
      program_(program)
{
  CreateControls();
  ConnectHandlers();
  FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::CreateControls()
{
  setWindowTitle(QString::fromUtf8(ApplicationTitle));
  setFixedSize(860, 604);
  setFont(ui::TahomaFont(13));

  Label2 = new ui::LineLabel(QString(), this);
  Label2->setFont(ui::TahomaFont(19));
  Label2->move(16, 16);
  Label1 = new ui::UserTextLabel(ui::TahomaFont(19), this);

  PngSpeedButton1 = GlyphButton(this, {832, 8, 23, 22}, ui::Picture::Exit, -1);
  PngSpeedButton2 = GlyphButton(this, {16, 40, 25, 25}, ui::Picture::Up, 4);
  PngSpeedButton4 = GlyphButton(this, {48, 40, 25, 25}, ui::Picture::Drive, 4);
  PngSpeedButton5 = GlyphButton(this, {80, 40, 25, 25}, ui::Picture::Home, 4);
  PngSpeedButton6 = GlyphButton(this, {112, 40, 25, 25}, ui::Picture::Refresh, 4);
  PngSpeedButton12 = GlyphButton(this, {144, 40, 25, 25}, ui::Picture::MyDocuments, 4);
  PngSpeedButton13 = GlyphButton(this, {176, 40, 25, 25}, ui::Picture::Desktop, 4);
  PngSpeedButton12->hide();
  PngSpeedButton13->hide();

  Label3 = ColumnTitle(this, {36, 80});
  Label4 = ColumnTitle(this, {576, 80});
  Label5 = ColumnTitle(this, {676, 80});

  PngImageList1 = new ui::TPngImageList(this);
  ListView1 = new QTreeView(this);
  ListView1->setGeometry(32, 104, 801, 457);
  ListView1->setFrameShape(QFrame::NoFrame);
  ListView1->setHeaderHidden(true);
  ListView1->setRootIsDecorated(false);
  ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
  ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
  ListView1->setUniformRowHeights(true);
  ListView1->setEditTriggers(QAbstractItemView::SelectedClicked);
  ListView1->setContextMenuPolicy(Qt::CustomContextMenu);
  ListView1->setAllColumnsShowFocus(true);
  listModel_ = new ListModel(this);
  notAnsweringTimer_ = new QTimer(this);
  notAnsweringTimer_->setSingleShot(true);
  notAnsweringTimer_->setInterval(NotAnsweringAfter);
  copyTimer_ = new QTimer(this);
  copyTimer_->setInterval(CopyProgressEveryMs);
  ListView1->setModel(listModel_);
  ListView1->setItemDelegate(new RowDelegate(*PngImageList1, ListView1));
  ListView1->header()->setStretchLastSection(false);
  for (int column = 0; column < 3; ++column)
    ListView1->header()->resizeSection(column, ColumnWidths[column]);

  PopupMenu1 = new QMenu(this);
  Rename1 = PopupMenu1->addAction(PngImageList1->Icon(ops::ListImage::Rename), QString());
  Delete1 = PopupMenu1->addAction(PngImageList1->Icon(ops::ListImage::Delete), QString());

  PngSpeedButton10 = GlyphButton(this, {16, 568, 104, 25}, ui::Picture::NewFolder, -1);
  PngSpeedButton7 = GlyphButton(this, {120, 568, 160, 25}, ui::Picture::Word, -1);
  PngSpeedButton8 = GlyphButton(this, {280, 568, 160, 25}, ui::Picture::Excel, -1);
  PngSpeedButton9 = GlyphButton(this, {440, 568, 193, 25}, ui::Picture::Powerpoint, -1);
  PngSpeedButton11 = GlyphButton(this, {800, 568, 23, 22}, ui::Picture::Options, 4);
  PngSpeedButton3 = GlyphButton(this, {824, 568, 23, 22}, ui::Picture::About, -1);
  SetTexts(&TextPair::english);
  // The path label is as high as the title, which is sized by its text.
  Label1->setGeometry(88, 16, PathLabelMaxWidth, Label2->height());
  ShowPath(QString::fromUtf8(PendingText));

  QApplication::setWindowIcon(ui::WindowIcon());
  for (QLabel *title : {Label3, Label4, Label5})
    ui::RedWhileHovered(title);
  for (ui::TPngSpeedButton *button : {PngSpeedButton10, PngSpeedButton7, PngSpeedButton8, PngSpeedButton9})
    ui::InvertFlatOnPressAndRelease(button);
}

void TForm1::ConnectHandlers()
{
  const std::pair<ui::TPngSpeedButton *, void (TForm1::*)()> buttons[] = {
      {PngSpeedButton1, &TForm1::PngSpeedButton1Click},   {PngSpeedButton2, &TForm1::PngSpeedButton2Click},
      {PngSpeedButton3, &TForm1::PngSpeedButton3Click},   {PngSpeedButton4, &TForm1::PngSpeedButton4Click},
      {PngSpeedButton5, &TForm1::PngSpeedButton5Click},   {PngSpeedButton6, &TForm1::PngSpeedButton6Click},
      {PngSpeedButton7, &TForm1::PngSpeedButton7Click},   {PngSpeedButton8, &TForm1::PngSpeedButton8Click},
      {PngSpeedButton9, &TForm1::PngSpeedButton9Click},   {PngSpeedButton10, &TForm1::PngSpeedButton10Click},
      {PngSpeedButton11, &TForm1::PngSpeedButton11Click}, {PngSpeedButton12, &TForm1::PngSpeedButton12Click},
      {PngSpeedButton13, &TForm1::PngSpeedButton13Click},
  };
  for (const auto &[button, handler] : buttons)
    connect(button, &QAbstractButton::clicked, this, handler);
  connect(Rename1, &QAction::triggered, this, &TForm1::Rename1Click);
  connect(Delete1, &QAction::triggered, this, &TForm1::Delete1Click);
  // Opened once the list is done with the double-click: only then has it dropped the rename
  // that the click on the selected row started, which would otherwise come to a listing
  // without that row.
  connect(ListView1, &QAbstractItemView::doubleClicked, this, &TForm1::ListView1DblClick, Qt::QueuedConnection);
  connect(static_cast<RowDelegate *>(ListView1->itemDelegate()), &RowDelegate::CaptionEdited, this,
          &TForm1::ListView1Edited);
  connect(ListView1, &QWidget::customContextMenuRequested, this, [this](QPoint position) {
    PopupMenu1Popup();
    PopupMenu1->popup(ListView1->viewport()->mapToGlobal(position));
  });
  new EventHook(ListView1, [this](QEvent *event) {
    // Keys that an open caption editor let through are not the list's own.
    if (event->type() != QEvent::KeyPress || !ListView1->hasFocus())
      return false;
    auto *key = static_cast<QKeyEvent *>(event);
    ListView1KeyDown(key);
    return IsInertKey(key->key());
  });
  connect(notAnsweringTimer_, &QTimer::timeout, this, [this] {
    // A large folder or a slow drive answers, if slowly; what is left after the read is the
    // program's own work.
    const quint64 answers = listingAnswers_->load();
    if (answers == platform::FolderRead)
      return;
    if (answers != answersSeen_) {
      answersSeen_ = answers;
      notAnsweringTimer_->start();
      return;
    }
    // The user is told, so the pointer need not say it too.
    notAnsweringShown_ = true;
    UpdatePointer();
    ShowRows(requestedFolder_, platform::FolderState::Unreadable,
             MessageRows(texts::FolderNotAnswering, program_.settings.IsEnglish));
  });
  connect(copyTimer_, &QTimer::timeout, this, &TForm1::ShowCopyProgress);
  OnClick(Label3, [this] { Label3Click(); });
  OnClick(Label4, [this] { Label4Click(); });
  OnClick(Label5, [this] { Label5Click(); });
}

void TForm1::FormCreate()
{
  setAcceptDrops(true);
  LoadSettings(program_.settings);
  ApplyLanguage();
  OpenFolder(program_.settings.CurrentHomeLocation());
  // What a killed run left half-done is finished before anything new is copied or trashed
  // in the same place; a file put back under another name is named to the user.
  RunJob(platform::CleanUpUnfinishedWork, [this](const QList<QByteArray> &putBack) {
    QStringList names;
    for (const QByteArray &path : putBack)
      names.append(platform::DisplayName(path));
    if (!names.isEmpty())
      ShowMessageWhite(Text(texts::PutBackUnderOtherNames, program_.settings.TextLanguage()).arg(names.join(", ")));
  });
}

bool TForm1::FolderShown() const { return !Label5->isHidden(); }

void TForm1::ShowMessageWhite(const QString &text)
{
  ui::TForm5 &box = *program_.Form5;
  box.SetMessage(text);
  AskInBox(box);
}

void TForm1::OpenFolder(const QByteArray &path) { ListFolder(path, {}); }

void TForm1::ListFolder(const QByteArray &path, const QByteArray &selection)
{
  listingStop_.request_stop();
  listingStop_ = std::stop_source();
  const quint64 number = ++listingNumber_;
  requestedFolder_ = NormaliseFolderPath(path);
  listingOut_ = true;
  notAnsweringShown_ = false;
  UpdatePointer();
  if (requestedFolder_.isEmpty())
    notAnsweringTimer_->stop(); // the drive list limits each drive's time itself
  else
    notAnsweringTimer_->start();
  const bool showHidden = program_.settings.ShowHidden, english = program_.settings.IsEnglish;
  listingAnswers_ = std::make_shared<std::atomic<quint64>>(0);
  answersSeen_ = 0;
  const auto list = [folder = requestedFolder_, showHidden, english, gates = jobs_.Gates(),
                     stop = listingStop_.get_token(), answers = listingAnswers_] {
    return ListLocation(folder, showHidden, english, {gates, platform::MountPoints::Current(), stop, answers});
  };
  if (!RunJob(list, [this, number, selection](Listing listing) {
        if (number != listingNumber_)
          return;
        ShowListing(std::move(listing));
        SelectRowNamed(selection);
      })) {
    notAnsweringTimer_->stop();
    listingOut_ = false;
    UpdatePointer();
  }
}

void TForm1::RefreshIfShown(const QByteArray &folder)
{
  if (FolderShown() && currentFolder_ == folder)
    OpenFolder(folder);
}

void TForm1::ShowListing(Listing listing)
{
  notAnsweringTimer_->stop();
  ShowRows(listing.folder, listing.state, std::move(listing.rows));
  listingOut_ = false;
  UpdatePointer();
}

void TForm1::UpdatePointer()
{
  const bool busy = boxesOpen_ == 0 && ((listingOut_ && !notAnsweringShown_) || jobsOut_ > 0);
  if (busy == pointerBusy_)
    return;
  pointerBusy_ = busy;
  if (busy)
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QGuiApplication::restoreOverrideCursor();
}

int TForm1::AskInBox(QDialog &box)
{
  ++boxesOpen_;
  UpdatePointer();
  const int answer = box.exec();
  --boxesOpen_;
  UpdatePointer();
  return answer;
}

void TForm1::ShowRows(const QByteArray &folder, platform::FolderState state, RowTable rows)
{
  currentFolder_ = folder;
  Label5->show();
  if (currentFolder_.isEmpty()) {
    ShowPath(Text(texts::DriveListTitle, program_.settings.TextLanguage()));
    Label5->hide();
  } else {
    ShowPath(QLatin1Char(' ') + platform::DisplayName(currentFolder_));
    if (state != platform::FolderState::Missing)
      Label1->move(Label2->x() + Label2->width(), Label1->y());
  }
  listModel_->SetRows(std::move(rows), RowTextFormat(QLocale::system(), program_.settings.IsEnglish));
}

void TForm1::ShowPath(const QString &text)
{
  Label1->setText(text);
  Label1->resize(std::min(Label1->sizeHint().width(), PathLabelMaxWidth), Label1->height());
}

int TForm1::SelectedRow() const
{
  const QModelIndexList selected = ListView1->selectionModel()->selectedRows();
  return selected.isEmpty() ? -1 : selected.first().row();
}

bool TForm1::IsRow(int row) const { return row >= 0 && row < listModel_->Rows().Count(); }

QString TForm1::RowCaption(int row) const { return IsRow(row) ? listModel_->Caption(row) : QString(); }

QByteArray TForm1::RowName(int row) const
{
  if (RowKindOf(row) == ops::RowKind::Message)
    return {};
  return listModel_->Rows().Name(row).toByteArray();
}

ops::RowKind TForm1::RowKindOf(int row) const
{
  return IsRow(row) ? listModel_->Rows().At(row).kind : ops::RowKind::Message;
}

int TForm1::RowImage(int row) const
{
  return static_cast<int>(IsRow(row) ? listModel_->Rows().At(row).image : ops::ListImage::None);
}

void TForm1::PngSpeedButton1Click() { close(); }

void TForm1::PngSpeedButton2Click()
{
  if (!FolderShown())
    return;
  const QByteArray parent = ParentFolderOf(currentFolder_);
  OpenFolder(parent == currentFolder_ ? QByteArray() : parent);
}

void TForm1::PngSpeedButton4Click() { OpenFolder({}); }
void TForm1::PngSpeedButton5Click() { OpenFolder(program_.settings.CurrentHomeLocation()); }
void TForm1::PngSpeedButton6Click() { OpenFolder(FolderShown() ? currentFolder_ : QByteArray()); }
void TForm1::PngSpeedButton12Click() { OpenFolder(program_.settings.HomeLocations[DocumentsFolder]); }
void TForm1::PngSpeedButton13Click() { OpenFolder(program_.settings.HomeLocations[DesktopFolder]); }

void TForm1::ListView1DblClick()
{
  const int row = SelectedRow();
  const ops::RowKind kind = RowKindOf(row);
  if (kind == ops::RowKind::Folder) {
    OpenFolder(currentFolder_ + '/' + RowName(row));
  } else if (kind == ops::RowKind::Drive) {
    OpenFolder(RowName(row));
  } else if (kind == ops::RowKind::File) {
    const QByteArray folder = currentFolder_, file = folder + RowName(row);
    // The opener's child starts in the folder, so starting it may wait on the disk too.
    RunInFolder(
        folder,
        [folder, file] {
          if (platform::IsExistingFile(file))
            platform::OpenWithDesktopHandler(file, folder);
          return true;
        },
        [](bool) {});
  }
}

void TForm1::Label3Click() { listModel_->SortBy(SortKey::Name, NameCollator(QLocale::system())); }
void TForm1::Label4Click() { listModel_->SortBy(SortKey::Size, NameCollator(QLocale::system())); }
void TForm1::Label5Click() { listModel_->SortBy(SortKey::Time, NameCollator(QLocale::system())); }

} // namespace tv
