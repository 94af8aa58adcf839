// A clock that answers the moment it was given, for reproducible sessions,
// until it is given another (a test moves it between readings).
#pragma once

#include "platform/platform.h"

namespace kassivo {

class FixedClock : public Clock {
 public:
  explicit FixedClock(LocalDateTime moment) : moment_(moment) {}
  LocalDateTime Now() override { return moment_; }
  void Set(LocalDateTime moment) { moment_ = moment; }

 private:
  LocalDateTime moment_;
};

}  // namespace kassivo
