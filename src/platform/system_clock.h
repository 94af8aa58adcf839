// The system clock: the local date and time from the system clock and time
// zone, with milliseconds. Implemented by each system (platform/posix/,
// platform/windows/).
#pragma once

#include "platform/platform.h"

namespace kassivo {

class SystemClock : public Clock {
 public:
  LocalDateTime Now() override;
};

}  // namespace kassivo
