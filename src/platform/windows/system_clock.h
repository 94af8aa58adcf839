// The system clock: the local date and time with milliseconds (GetLocalTime).
#pragma once

#include "platform/platform.h"

namespace kassivo {

class SystemClock : public Clock {
 public:
  LocalDateTime Now() override;
};

}  // namespace kassivo
