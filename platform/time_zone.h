// The process's time zone.
#pragma once

namespace tv::platform {

// When TZ is not set, sets it to ":/etc/localtime", the zone the C library uses anyway.
// Unset, the library looks at /etc/localtime again on every local-time conversion; set,
// it reads the file once. Programs started from this one get TZ as it was.
void ReadTimeZoneOnce();

} // namespace tv::platform
