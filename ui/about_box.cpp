// The About box: the program's name, version and maker, and a button to the maker's web site.
#include "ui/about_box.h"

#include <QLabel>

#include "platform/web_address.h"
#include "texts/texts.h"
#include "ui/glyphs.h"
#include "ui/message_label.h"
#include "ui/png_speed_button.h"
#include "ui/program_font.h"
#include "ui/window_behaviour.h"

namespace tv::ui {

namespace {

constexpr int TextPixels = 11;

QLabel *TextAt(QWidget *box, QPoint position, const char *text)
{
  auto *label = new LineLabel(QString::fromUtf8(text), box);
  label->move(position);
  label->adjustSize();
  return label;
}

// A disabled flat button used as a picture: it takes no clicks and shows its glyph in full
// colour.
TPngSpeedButton *PictureButton(QWidget *box, QRect geometry, Picture glyph)
{
  auto *picture = new TPngSpeedButton(box);
  picture->setGeometry(geometry);
  picture->SetPngImage(Glyph(glyph));
  picture->SetPngOptions(0);
  picture->setEnabled(false);
  return picture;
}

} // namespace

TFormAbout::TFormAbout(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint)
{
  setWindowIcon(WindowIcon());
  setFixedSize(216, 120);
  setFont(TahomaFont(TextPixels));
  setAutoFillBackground(true);
  QPalette background = palette();
  background.setColor(QPalette::Window, background.color(QPalette::Button));
  setPalette(background);

  Label1 = TextAt(this, {8, 8}, ApplicationTitle);
  Label1->setFont(TahomaFont(TextPixels, true));
  Label1->adjustSize();
  Label3 = TextAt(this, {8, 24}, texts::VersionLabel);
  Label2 = TextAt(this, {8, 48}, texts::CopyrightLine);
  Label4 = TextAt(this, {30, 68}, "");
  PngSpeedButton2 = PictureButton(this, {6, 64, 23, 22}, Picture::Credit);
  PngSpeedButton1 = PictureButton(this, {160, 8, 49, 25}, Picture::Logo);
  PngSpeedButton3 = new TPngSpeedButton(this);
  PngSpeedButton3->setGeometry(56, 88, 105, 25);
  PngSpeedButton3->SetFlat(false);
  PngSpeedButton3->SetPngImage(Glyph(Picture::Globe));
  SetTexts(&TextPair::english);
  connect(PngSpeedButton3, &QAbstractButton::clicked, this, &TFormAbout::PngSpeedButton3Click);

  CentreOnFirstShow(this);
  KeepOpenOnEscape(this);
}

void TFormAbout::SetTexts(Language language)
{
  setWindowTitle(Text(texts::AboutCaption, language));
  QString version = Label3->text();
  const QString englishWord = QString::fromUtf8(texts::VersionWord.english);
  const qsizetype at = version.indexOf(englishWord);
  if (at >= 0)
    Label3->setText(version.replace(at, englishWord.size(), Text(texts::VersionWord, language)));
  Label4->setText(Text(texts::IdeaCredit, language));
  PngSpeedButton3->setText(Text(texts::VisitWebsite, language));
  for (QLabel *label : {Label3, Label4})
    label->adjustSize();
}

// The result is not looked at: without a browser nothing happens and the box stays open.
void TFormAbout::PngSpeedButton3Click() { platform::OpenWebAddress(QString::fromLatin1(MakerWebSite)); }

} // namespace tv::ui
