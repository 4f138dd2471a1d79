#pragma once

namespace tv {

// Fills the settings in memory: built-in defaults, then Settings.ini beside the executable,
// then the user's own store. Never reports anything.
void LoadSettings();

} // namespace tv
