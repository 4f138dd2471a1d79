#include "app/main_window.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QTreeView>

#include "app/windows.h"
#include "settings/app_settings.h"
#include "settings/settings_store.h"
#include "settings/texts.h"
#include "ui/borderless_frame.h"
#include "ui/glyphs.h"
#include "ui/png_image_list.h"
#include "ui/png_speed_button.h"
#include "ui/pointer_feedback.h"

namespace tv {

namespace {

QFont TahomaFont(int pixelSize, bool bold = false)
{
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  return font;
}

ui::TPngSpeedButton *GlyphButton(QWidget *parent, QRect geometry, const char *glyph, int margin)
{
  auto *button = new ui::TPngSpeedButton(parent);
  button->setGeometry(geometry);
  button->setPngImage(ui::Glyph(glyph));
  button->setMargin(margin);
  return button;
}

QLabel *ColumnTitle(QWidget *parent, QPoint position, const char *text)
{
  auto *title = new QLabel(QString::fromUtf8(text), parent);
  title->setFont(TahomaFont(16, true));
  title->move(position);
  title->adjustSize();
  title->setCursor(Qt::PointingHandCursor);
  return title;
}

} // namespace

TForm1::TForm1(QWidget *parent) : QWidget(parent)
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
  setFont(TahomaFont(13));
  Frame = new ui::BorderlessFrame(this, ui::CornerNames::TopLeftTopRightBottomLeftBottomRight, [this](QPoint point) {
    return point.x() <= PngSpeedButton1->x() && ui::BorderlessFrame::DownToBottomOf(point, Label2);
  });

  Label2 = new QLabel(QStringLiteral("Index of"), this);
  Label2->setFont(TahomaFont(19));
  Label2->move(16, 16);
  Label2->adjustSize();
  Label1 = new QLabel(QStringLiteral("..."), this);
  Label1->setFont(TahomaFont(19));
  Label1->setGeometry(88, 16, 737, Label2->height());

  PngSpeedButton1 = GlyphButton(this, {832, 8, 23, 22}, "exit", -1);
  PngSpeedButton2 = GlyphButton(this, {16, 40, 25, 25}, "up", 4);
  PngSpeedButton4 = GlyphButton(this, {48, 40, 25, 25}, "drive", 4);
  PngSpeedButton5 = GlyphButton(this, {80, 40, 25, 25}, "home", 4);
  PngSpeedButton6 = GlyphButton(this, {112, 40, 25, 25}, "refresh", 4);
  PngSpeedButton12 = GlyphButton(this, {144, 40, 25, 25}, "my_documents", 4);
  PngSpeedButton13 = GlyphButton(this, {176, 40, 25, 25}, "desktop", 4);
  PngSpeedButton12->hide();
  PngSpeedButton13->hide();

  Label3 = ColumnTitle(this, {36, 80}, "Filename");
  Label4 = ColumnTitle(this, {576, 80}, "Size");
  Label5 = ColumnTitle(this, {676, 80}, "Last modified");

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

  PopupMenu1 = new QMenu(this);
  Rename1 = PopupMenu1->addAction(PngImageList1->icon(7), QStringLiteral("Rename"));
  Delete1 = PopupMenu1->addAction(PngImageList1->icon(6), QStringLiteral("Delete"));

  PngSpeedButton10 = GlyphButton(this, {16, 568, 104, 25}, "new_folder", -1);
  PngSpeedButton7 = GlyphButton(this, {120, 568, 160, 25}, "word", -1);
  PngSpeedButton8 = GlyphButton(this, {280, 568, 160, 25}, "excel", -1);
  PngSpeedButton9 = GlyphButton(this, {440, 568, 193, 25}, "powerpoint", -1);
  PngSpeedButton11 = GlyphButton(this, {800, 568, 23, 22}, "options", 4);
  PngSpeedButton3 = GlyphButton(this, {824, 568, 23, 22}, "about", -1);
  PngSpeedButton10->setText(QStringLiteral("New folder"));
  PngSpeedButton7->setText(QStringLiteral("New Word document"));
  PngSpeedButton8->setText(QStringLiteral("New Excel document"));
  PngSpeedButton9->setText(QStringLiteral("New PowerPoint document"));

  PngSpeedButton1->setHint(QStringLiteral("Exit"));
  PngSpeedButton2->setHint(QStringLiteral("Up"));
  PngSpeedButton3->setHint(QStringLiteral("About Tarnview"));
  PngSpeedButton4->setHint(QStringLiteral("Drive list"));
  PngSpeedButton5->setHint(QStringLiteral("Home"));
  PngSpeedButton6->setHint(QStringLiteral("Refresh"));
  PngSpeedButton11->setHint(QStringLiteral("Options"));
  PngSpeedButton12->setHint(QStringLiteral("My documents"));
  PngSpeedButton13->setHint(QStringLiteral("Desktop"));

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
  connect(ListView1, &QAbstractItemView::doubleClicked, this, &TForm1::ListView1DblClick);
}

void TForm1::FormCreate()
{
  setAcceptDrops(true);
  LoadSettings();
  ApplyLanguage();
  OpenFolder(CurrentHomeLocation());
}

bool TForm1::FolderShown() const { return !Label5->isHidden(); }

void TForm1::ShowMessageWhite(const QString &text)
{
  Form5->Label1->setText(text);
  Form5->exec();
}

void TForm1::OpenFolder(const QByteArray &path)
{
  currentFolder_ = path;
  Label1->setText(QLatin1Char(' ') + QString::fromUtf8(path));
}

int TForm1::SelectedRow() const { return -1; }
QString TForm1::RowCaption(int) const { return {}; }
QByteArray TForm1::RowName(int) const { return {}; }
int TForm1::RowImage(int) const { return -1; }

void TForm1::PngSpeedButton1Click() { close(); }
void TForm1::PngSpeedButton2Click() {}
void TForm1::PngSpeedButton4Click() {}
void TForm1::PngSpeedButton5Click() {}
void TForm1::PngSpeedButton6Click() {}
void TForm1::PngSpeedButton12Click() {}
void TForm1::PngSpeedButton13Click() {}
void TForm1::ListView1DblClick() {}
void TForm1::Label3Click() {}
void TForm1::Label4Click() {}
void TForm1::Label5Click() {}

} // namespace tv
