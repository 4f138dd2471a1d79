// The main window's About button.
#include "app/main_window.h"

namespace tv {

void TForm1::PngSpeedButton3Click() {}

} // namespace tv
