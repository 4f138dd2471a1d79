// Reading the time zone once instead of on every conversion of a time.
#include "platform/time_zone.h"

#include "platform/launcher.h"

namespace tv::platform {

void ReadTimeZoneOnce() { SetOwnVariable("TZ", ":/etc/localtime", false); }

} // namespace tv::platform
