// Which office programs the user has.
#pragma once

namespace tv::platform {

// True when an office suite that writes the Office 2007 formats (.docx, .xlsx, .pptx) can
// be started from PATH ("soffice" or "libreoffice").
bool IsNewerOfficeSuiteInstalled();

} // namespace tv::platform
