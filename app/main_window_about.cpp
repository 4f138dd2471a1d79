// The main window's About button.
#include <QLabel>

#include "app/main_window.h"
#include "app/program.h"
#include "settings/texts.h"
#include "ui/png_speed_button.h"

namespace tv {

namespace {

// The version label keeps its number; only its first "Version" is translated, so a second
// showing finds nothing left to replace.
void TranslateVersionWord(QLabel *label)
{
  QString text = label->text();
  const QString word = QStringLiteral("Version");
  const qsizetype at = text.indexOf(word);
  if (at >= 0)
    label->setText(text.replace(at, word.size(), QString::fromUtf8("版本")));
}

void RelabelAboutBox(ui::TFormAbout *box)
{
  box->setWindowTitle(Text(texts::AboutCaption));
  TranslateVersionWord(box->Label3);
  box->Label4->setText(Text(texts::IdeaCredit));
  box->PngSpeedButton3->setText(Text(texts::VisitWebsite));
  for (QLabel *label : {box->Label3, box->Label4})
    label->adjustSize();
}

} // namespace

void TForm1::PngSpeedButton3Click()
{
  if (!program_.settings.IsEnglish)
    RelabelAboutBox(program_.FormAbout);
  program_.FormAbout->exec();
}

} // namespace tv
