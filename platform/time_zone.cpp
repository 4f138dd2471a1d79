#include "platform/time_zone.h"

#include <cstdlib>

namespace tv::platform {

void readTimeZoneOnce()
{
  if (!std::getenv("TZ"))
    ::setenv("TZ", ":/etc/localtime", 0);
}

} // namespace tv::platform
