#pragma once

namespace tv::platform {

// Makes the family "Tahoma" available to the program. Debian's fonts-wine installs it
// outside the folders fontconfig scans, so it is registered with Qt by hand.
void registerProgramFonts();

} // namespace tv::platform
