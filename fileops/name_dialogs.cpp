#include "fileops/name_dialogs.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "ui/borderless_frame.h"
#include "ui/glyphs.h"
#include "ui/message_label.h"
#include "ui/png_bit_btn.h"
#include "ui/program_font.h"
#include "ui/window_behaviour.h"

namespace tv {

namespace {

bool InDialogStrip(QPoint point) { return ui::BorderlessFrame::InTopRows(point, 17); }

QRadioButton *PlacedRadioButton(QWidget *parent, const char *text, QRect geometry)
{
  auto *button = new QRadioButton(QString::fromUtf8(text), parent);
  button->setGeometry(geometry);
  return button;
}

void PlaceGlyphButton(ui::TPngBitBtn *button, const char *text, const char *glyph, QRect geometry)
{
  button->setText(QString::fromUtf8(text));
  button->setPngImage(ui::Glyph(glyph));
  button->setGeometry(geometry);
}

bool IsEnter(const QKeyEvent &event) { return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter; }

} // namespace

NameDialog::NameDialog(QWidget *parent, QSize clientSize, int left, int buttonsTop)
    : QDialog(parent), Edit1(new QLineEdit(this)), PngBitBtn1(new ui::TPngBitBtn(this)),
      PngBitBtn2(new ui::TPngBitBtn(this)),
      frame_(new ui::BorderlessFrame(this, ui::CornerNames::TopLeftTopRightBottomRightBottomLeft, InDialogStrip))
{
  setFixedSize(clientSize);
  setFont(ui::TahomaFont(13));
  Edit1->setFont(ui::ShapedFont(font())); // names may be typed in any script
  Edit1->setGeometry(left, 16, 177, 24);
  PlaceGlyphButton(PngBitBtn1, "OK", "ok", {left, buttonsTop, 81, 25});
  PlaceGlyphButton(PngBitBtn2, "Cancel", "cancel", {left + 88, buttonsTop, 91, 25});
  setTabOrder(Edit1, PngBitBtn1);
  setTabOrder(PngBitBtn1, PngBitBtn2);
  Edit1->installEventFilter(this);
  // Escape is not bound to anything here: it neither cancels nor clears the name.
  ui::KeepOpenOnEscape(this);
  connect(PngBitBtn1, &QAbstractButton::clicked, this, &NameDialog::PngBitBtn1Click);
  connect(PngBitBtn2, &QAbstractButton::clicked, this, &NameDialog::PngBitBtn2Click);
}

void NameDialog::FormShow()
{
  confirmed_ = false;
  Edit1->setText(name_);
  Edit1->setFocus();
  Edit1->selectAll();
}

bool NameDialog::Edit1KeyDown(QKeyEvent *event)
{
  if (!IsEnter(*event))
    return false;
  PngBitBtn1->click();
  return true;
}

void NameDialog::PngBitBtn1Click()
{
  confirmed_ = true;
  close();
}

void NameDialog::PngBitBtn2Click() { close(); }

QString NameDialog::TypedName() const { return Edit1->text(); }

QLabel *NameDialog::AddLabel(const char *text, QRect geometry)
{
  auto *label = new ui::LineLabel(QString::fromUtf8(text), this);
  label->setGeometry(geometry);
  labels_.append(label);
  return label;
}

void NameDialog::showEvent(QShowEvent *event)
{
  // Labels grow to fit the texts that callers set, the second language's included.
  for (QLabel *label : labels_)
    label->resize(std::max(label->width(), label->sizeHint().width()), label->height());
  QDialog::showEvent(event);
  if (!event->spontaneous())
    FormShow();
}

bool NameDialog::eventFilter(QObject *watched, QEvent *event)
{
  if (watched == Edit1 && event->type() == QEvent::KeyPress && Edit1KeyDown(static_cast<QKeyEvent *>(event)))
    return true;
  return QDialog::eventFilter(watched, event);
}

TForm2::TForm2(QWidget *parent)
    : NameDialog(parent, {272, 102}, 80, 64), Label1(AddLabel("Filename:", {16, 19, 57, 16})),
      Label2(AddLabel("Type:", {16, 43, 33, 16})), RadioButton1(PlacedRadioButton(this, "97-2003", {80, 43, 73, 17})),
      RadioButton2(PlacedRadioButton(this, "2007", {152, 43, 57, 17}))
{
  setWindowTitle(QStringLiteral("New document"));
  // The pair is one Tab stop, at the chosen format; the arrow keys move between them.
  for (QRadioButton *button : {RadioButton1, RadioButton2})
    connect(button, &QAbstractButton::toggled, button,
            [button](bool checked) { button->setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus); });
  RadioButton2->setFocusPolicy(Qt::ClickFocus);
  RadioButton1->setChecked(true);
  setTabOrder(PngBitBtn2, RadioButton1);
  setTabOrder(RadioButton1, RadioButton2);
}

bool TForm2::NewerFormatChosen() const { return RadioButton2->isChecked(); }

TForm3::TForm3(QWidget *parent) : NameDialog(parent, {256, 88}, 64, 48), Label1(AddLabel("Name:", {16, 19, 38, 16}))
{
  setWindowTitle(QStringLiteral("New folder"));
}

} // namespace tv
