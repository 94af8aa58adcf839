#include "platform/system_clock.h"

#include <windows.h>

namespace kassivo {

LocalDateTime SystemClock::Now() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
}

}  // namespace kassivo
