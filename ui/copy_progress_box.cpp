// The box that shows a long copy's progress and lets the user cancel it.
#include "ui/copy_progress_box.h"

#include <QLabel>

#include "ui/glyphs.h"
#include "ui/message_label.h"
#include "ui/png_bit_btn.h"
#include "ui/program_font.h"
#include "ui/user_text.h"
#include "ui/window_behaviour.h"

namespace tv::ui {

namespace {

bool InBoxStrip(QPoint point) { return BorderlessFrame::InTopRows(point, 17); }

constexpr int TextWidth = 305;

} // namespace

CopyProgressBox::CopyProgressBox(QWidget *parent)
    : BorderlessDialog(parent, CornerNames::TopLeftTopRightBottomLeftBottomRight, InBoxStrip)
{
  setFixedSize(338, 120);
  setModal(false);
  KeepOpenOnEscape(this);
  Label1 = new LineLabel(QString(), this);
  Label1->setFont(TahomaFont(13, true));
  Label1->move(16, 16);
  Label2 = new UserTextLabel(TahomaFont(13), this);
  Label2->setGeometry(16, 36, TextWidth, 18);
  Label3 = new LineLabel(QString(), this);
  Label3->setFont(TahomaFont(13));
  Label3->setGeometry(16, 56, TextWidth, 18);
  PngBitBtn1 = new TPngBitBtn(this);
  PngBitBtn1->setGeometry(128, 80, 81, 25);
  PngBitBtn1->SetPngImage(Glyph(Picture::Cancel));
  SetTexts(&TextPair::english);
  connect(PngBitBtn1, &QAbstractButton::clicked, this, [this] {
    hide();
    emit CancelClicked();
  });
}

void CopyProgressBox::SetTexts(Language language)
{
  setWindowTitle(Text(texts::CopyingCaption, language));
  Label1->setText(Text(texts::CopyingCaption, language));
  Label1->adjustSize();
  PngBitBtn1->setText(Text(texts::Cancel, language));
}

void CopyProgressBox::ShowProgress(const QString &name, const QString &progress)
{
  Label2->setText(name);
  Label3->setText(progress);
  if (!isVisible())
    show();
}

} // namespace tv::ui
