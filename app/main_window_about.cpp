// The main window's About button.
#include "app/main_window.h"
#include "app/windows.h"
#include "settings/app_settings.h"

namespace tv {

void TForm1::PngSpeedButton3Click()
{
  if (!IsEnglish)
    FormAbout->SetTexts(TextLanguage());
  FormAbout->exec();
}

} // namespace tv
