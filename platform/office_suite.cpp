// Looking on PATH for an office suite that writes the newer formats.
#include "platform/office_suite.h"

#include <QStandardPaths>

namespace tv::platform {

bool IsNewerOfficeSuiteInstalled()
{
  for (const char *program : {"soffice", "libreoffice"})
    if (!QStandardPaths::findExecutable(QLatin1String(program)).isEmpty())
      return true;
  return false;
}

} // namespace tv::platform
