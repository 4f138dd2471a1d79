// The main window's handlers that create folders and documents.
#include "app/main_window.h"

namespace tv {

void TForm1::PngSpeedButton7Click() {}
void TForm1::PngSpeedButton8Click() {}
void TForm1::PngSpeedButton9Click() {}
void TForm1::PngSpeedButton10Click() {}

} // namespace tv
