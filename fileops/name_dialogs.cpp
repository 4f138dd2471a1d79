// The dialogs in which the name of a new folder or a new document is typed.
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
#include "ui/user_text.h"
#include "ui/window_behaviour.h"

namespace tv::fileops {

namespace {

bool InDialogStrip(QPoint point) { return ui::BorderlessFrame::InTopRows(point, 17); }

QRadioButton *PlacedRadioButton(QWidget *parent, QRect geometry)
{
  auto *button = new QRadioButton(parent);
  button->setGeometry(geometry);
  return button;
}

void PlaceGlyphButton(ui::TPngBitBtn *button, ui::Picture glyph, QRect geometry)
{
  button->SetPngImage(ui::Glyph(glyph));
  button->setGeometry(geometry);
}

bool IsEnter(const QKeyEvent &event) { return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter; }

} // namespace

NameDialog::NameDialog(QWidget *parent, QSize clientSize, int left, int buttonsTop)
    : ui::BorderlessDialog(parent, ui::CornerNames::TopLeftTopRightBottomRightBottomLeft, InDialogStrip),
      Edit1(new ui::NameEdit(this)), PngBitBtn1(new ui::TPngBitBtn(this)), PngBitBtn2(new ui::TPngBitBtn(this))
{
  setFixedSize(clientSize);
  setFont(ui::TahomaFont(13));
  Edit1->setGeometry(left, 16, 177, 24);
  PlaceGlyphButton(PngBitBtn1, ui::Picture::Ok, {left, buttonsTop, 81, 25});
  PlaceGlyphButton(PngBitBtn2, ui::Picture::Cancel, {left + 88, buttonsTop, 91, 25});
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

void NameDialog::PngBitBtn1Click() { accept(); }

void NameDialog::PngBitBtn2Click() { close(); }

QString NameDialog::TypedName() const { return Edit1->text(); }

QLabel *NameDialog::AddLabel(QRect geometry)
{
  auto *label = new ui::LineLabel(QString(), this);
  label->setGeometry(geometry);
  labels_.append(label);
  return label;
}

void NameDialog::SetButtonTexts(Language language)
{
  PngBitBtn1->setText(QString::fromUtf8(OkCaption));
  PngBitBtn2->setText(Text(texts::Cancel, language));
}

void NameDialog::showEvent(QShowEvent *event)
{
  // Labels grow to fit the texts that callers set, the second language's included.
  for (QLabel *label : labels_)
    label->resize(std::max(label->width(), label->sizeHint().width()), label->height());
  ui::BorderlessDialog::showEvent(event);
  if (!event->spontaneous())
    FormShow();
}

bool NameDialog::eventFilter(QObject *watched, QEvent *event)
{
  if (watched == Edit1 && event->type() == QEvent::KeyPress && Edit1KeyDown(static_cast<QKeyEvent *>(event)))
    return true;
  return ui::BorderlessDialog::eventFilter(watched, event);
}

TForm2::TForm2(QWidget *parent)
    : NameDialog(parent, {272, 102}, 80, 64), Label1(AddLabel({16, 19, 57, 16})), Label2(AddLabel({16, 43, 33, 16})),
      RadioButton1(PlacedRadioButton(this, {80, 43, 73, 17})), RadioButton2(PlacedRadioButton(this, {152, 43, 57, 17}))
{
  SetTexts(&TextPair::english);
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

void TForm2::ChooseFormat(bool newer) { (newer ? RadioButton2 : RadioButton1)->setChecked(true); }

TForm3::TForm3(QWidget *parent) : NameDialog(parent, {256, 88}, 64, 48), Label1(AddLabel({16, 19, 38, 16}))
{
  SetTexts(&TextPair::english);
}

void TForm2::SetTexts(Language language)
{
  setWindowTitle(Text(texts::NewDocumentCaption, language));
  Label1->setText(Text(texts::FilenameLabel, language));
  Label2->setText(Text(texts::TypeLabel, language));
  RadioButton1->setText(QString::fromUtf8(texts::OlderFormatItem));
  RadioButton2->setText(QString::fromUtf8(texts::NewerFormatItem));
  SetButtonTexts(language);
}

void TForm3::SetTexts(Language language)
{
  setWindowTitle(QString::fromUtf8(texts::NewFolderCaption));
  Label1->setText(Text(texts::NameLabel, language));
  SetButtonTexts(language);
}

} // namespace tv::fileops
