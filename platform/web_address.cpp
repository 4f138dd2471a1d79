// Web addresses handed to the desktop through Qt.
#include "platform/web_address.h"

#include <QDesktopServices>
#include <QUrl>

namespace tv::platform {

bool OpenWebAddress(const QString &address) { return QDesktopServices::openUrl(QUrl(address)); }

} // namespace tv::platform
