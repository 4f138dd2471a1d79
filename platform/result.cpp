// The system's words for an error number.
#include "platform/result.h"

#include <cstring>

namespace tv::platform {

QString Result::Description() const
{
  char buffer[256];
  return QString::fromLocal8Bit(::strerror_r(error_, buffer, sizeof buffer));
}

} // namespace tv::platform
