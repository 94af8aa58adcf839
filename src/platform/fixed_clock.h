// A clock that always answers the same moment, for reproducible sessions.
#pragma once

#include "platform/platform.h"

namespace kassivo {

class FixedClock : public Clock {
 public:
  explicit FixedClock(LocalDateTime moment) : moment_(moment) {}
  LocalDateTime Now() override { return moment_; }

 private:
  LocalDateTime moment_;
};

}  // namespace kassivo
