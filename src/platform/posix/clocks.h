// The system clock: local date and time with milliseconds.
#pragma once

#include "platform/fixed_clock.h"
#include "platform/platform.h"

namespace kassivo {

// The local date and time from the system clock and time zone, with
// milliseconds.
class SystemClock : public Clock {
 public:
  LocalDateTime Now() override;
};

}  // namespace kassivo
