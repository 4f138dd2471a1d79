// The main window's Options button.
#include "app/main_window.h"
#include "app/program.h"
#include "ops/setting_values.h"
#include "settings/app_settings.h"
#include "settings/settings_store.h"
#include "texts/texts.h"

namespace tv {

void TForm1::PngSpeedButton11Click()
{
  TForm4 &options = *program_.Form4;
  connect(&options, &TForm4::MessageRequested, this, &TForm1::ShowMessageWhite, Qt::UniqueConnection);
  options.ShowSettings();
  if (AskInBox(options) != QDialog::Accepted)
    return;

  Settings &settings = program_.settings;
  settings.HomeFolder = HomeFolderFromNumber(options.ChosenHomeIndex());
  settings.ShowHidden = options.ChosenShowHidden();
  settings.StartupIsEnglish = options.ChosenStartupIsEnglish();
  OpenFolder(FolderShown() ? CurrentFolder() : QByteArray());
  SaveUserSettings(settings);
  // The language in force never changes during a run.
  if (settings.StartupIsEnglish != settings.IsEnglish)
    ShowMessageWhite(Text(texts::RestartStart, settings.TextLanguage()) + QString::fromUtf8(ApplicationTitle) +
                     Text(texts::RestartEnd, settings.TextLanguage()));
}

} // namespace tv
