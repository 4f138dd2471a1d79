// The main window's Options button.
#include "app/main_window.h"

namespace tv {

void TForm1::PngSpeedButton11Click() {}

} // namespace tv
