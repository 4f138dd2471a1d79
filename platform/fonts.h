// The program's fonts: the system's configuration read early, and Tahoma made available.
#pragma once

namespace tv::platform {

// Starts reading the system's font configuration on a thread of its own, so that it runs
// while the connection to the window system is made. Call before the application object.
// When Qt is to take DESKTOP_STARTUP_ID from the environment it does nothing, and the
// configuration is read when first needed. Where the system refuses the thread, the
// configuration is left to Qt and Tahoma is not registered.
void StartReadingFontConfiguration();

// Makes the family "Tahoma" available to the program. Debian's fonts-wine installs it
// outside the folders fontconfig scans, so it is registered by hand. Waits for the font
// configuration first: read twice at once, it would cost twice. When that was read on its
// own thread, Qt's font database is then filled on another while the caller goes on;
// nothing waits for that thread when the program ends.
void RegisterProgramFonts();

} // namespace tv::platform
