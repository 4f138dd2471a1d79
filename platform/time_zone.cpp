#include "platform/time_zone.h"

#include <cstdlib>

namespace tv::platform {

void readTimeZoneOnce()
{
  ::setenv("TZ", ":/etc/localtime", 0); // 0: a TZ already set stays as it is
}

} // namespace tv::platform
