// The main window's texts in the language in force.
#include <QAction>
#include <QLabel>

#include "app/main_window.h"
#include "app/program.h"
#include "ui/png_speed_button.h"

namespace tv {

void TForm1::SetTexts(Language language)
{
  const std::pair<QLabel *, const TextPair *> captions[] = {
      {Label2, &texts::IndexOf},
      {Label3, &texts::FilenameTitle},
      {Label4, &texts::SizeTitle},
      {Label5, &texts::LastModifiedTitle},
  };
  for (const auto &[label, pair] : captions) {
    label->setText(Text(*pair, language));
    label->adjustSize();
  }
  const std::pair<ui::TPngSpeedButton *, const TextPair *> hints[] = {
      {PngSpeedButton1, &texts::ExitHint},     {PngSpeedButton2, &texts::UpHint},
      {PngSpeedButton3, &texts::AboutHint},    {PngSpeedButton4, &texts::DriveListHint},
      {PngSpeedButton5, &texts::HomeHint},     {PngSpeedButton6, &texts::RefreshHint},
      {PngSpeedButton11, &texts::OptionsHint}, {PngSpeedButton12, &texts::MyDocumentsHint},
      {PngSpeedButton13, &texts::DesktopHint},
  };
  for (const auto &[button, pair] : hints)
    button->SetHint(Text(*pair, language));
  const std::pair<ui::TPngSpeedButton *, const TextPair *> captionedButtons[] = {
      {PngSpeedButton7, &texts::NewWordButton},
      {PngSpeedButton8, &texts::NewExcelButton},
      {PngSpeedButton9, &texts::NewPowerPointButton},
      {PngSpeedButton10, &texts::NewFolderButton},
  };
  for (const auto &[button, pair] : captionedButtons)
    button->setText(Text(*pair, language));
  Rename1->setText(Text(texts::RenameItem, language));
  Delete1->setText(Text(texts::DeleteItem, language));
}

// The English texts are the window's own; only the second language is assigned, once.
void TForm1::ApplyLanguage()
{
  if (!program_.settings.IsEnglish)
    SetTexts(program_.settings.TextLanguage());
  // The path follows the title directly, whichever language it is in, on the same line
  // height so that both texts sit level.
  Label2->adjustSize();
  Label1->setGeometry(Label2->x() + Label2->width(), Label2->y(), Label1->width(), Label2->height());
}

} // namespace tv
