// Clocks: the system's local time, or one fixed moment.
#pragma once

#include "platform/platform.h"

namespace kassivo {

// The local date and time from the system clock and time zone, with
// milliseconds.
class SystemClock : public Clock {
 public:
  LocalDateTime Now() override;
};

// Always the same moment, for reproducible sessions.
class FixedClock : public Clock {
 public:
  explicit FixedClock(LocalDateTime moment) : moment_(moment) {}
  LocalDateTime Now() override { return moment_; }

 private:
  LocalDateTime moment_;
};

}  // namespace kassivo
