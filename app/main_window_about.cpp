// The main window's About button.
#include "app/main_window.h"
#include "app/program.h"

namespace tv {

void TForm1::PngSpeedButton3Click()
{
  if (!program_.settings.IsEnglish)
    program_.FormAbout->SetTexts(program_.settings.TextLanguage());
  program_.FormAbout->exec();
}

} // namespace tv
