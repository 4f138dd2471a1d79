// Opening web addresses in the user's browser.
#pragma once

#include <QString>

namespace tv::platform {

// Hands a web address to the desktop's handler (the user's browser); false when none took it.
bool OpenWebAddress(const QString &address);

} // namespace tv::platform
