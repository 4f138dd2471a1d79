#include "settings/settings_store.h"

#include "platform/file_queries.h"
#include "settings/app_settings.h"

namespace tv {

void LoadSettings()
{
  IsEnglish = true;
  StartupIsEnglish = true;
  ShowHidden = false;
  HomeFolder = ApplicationFolder;
  QByteArray folder = platform::executablePath();
  folder.truncate(folder.lastIndexOf('/') + 1);
  HomeLocations = {folder, QByteArray(), QByteArray(), QByteArray()};
}

} // namespace tv
