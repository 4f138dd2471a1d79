// The main window's Options button.
#include <QCheckBox>
#include <QComboBox>

#include "app/main_window.h"
#include "app/windows.h"
#include "settings/app_settings.h"
#include "settings/setting_values.h"
#include "settings/settings_store.h"
#include "texts/texts.h"

namespace tv {

void TForm1::PngSpeedButton11Click()
{
  connect(Form4, &TForm4::MessageRequested, this, &TForm1::ShowMessageWhite, Qt::UniqueConnection);
  Form4->CheckBox1->setChecked(ShowHidden);
  Form4->ComboBox1->setCurrentIndex(StartupIsEnglish ? 0 : 1);
  if (!IsEnglish)
    Form4->SetTexts(TextLanguage());
  Form4->SetRadioGroup1ItemIndex(HomeFolder);
  Form4->exec();
  if (!OptionsAccepted)
    return;

  HomeFolder = HomeFolderFromNumber(Form4->ChosenHomeIndex());
  ShowHidden = Form4->CheckBox1->isChecked();
  StartupIsEnglish = Form4->ComboBox1->currentIndex() == 0;
  OpenFolder(FolderShown() ? CurrentFolder() : QByteArray());
  SaveUserSettings();
  // The language in force never changes during a run.
  if (StartupIsEnglish != IsEnglish)
    ShowMessageWhite(Text(texts::RestartStart, TextLanguage()) + QString::fromUtf8(ApplicationTitle) +
                     Text(texts::RestartEnd, TextLanguage()));
}

} // namespace tv
