#include "app/windows.h"

namespace tv {

void CreateWindows() { Form1 = new TForm1; }

} // namespace tv
