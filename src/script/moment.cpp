#include "script/moment.h"

#include <cstdio>

#include "common/calendar.h"

namespace kassivo {

namespace {

// Reads exactly `count` digits at `pos`; -1 when they are not all digits.
int Digits(std::string_view text, std::size_t pos, std::size_t count) {
  if (pos + count > text.size()) return -1;
  int value = 0;
  for (std::size_t i = pos; i < pos + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

}  // namespace

std::string FormatMoment(const LocalDateTime& m) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02dT%02d:%02d:%02d.%03d", m.year, m.month, m.day,
                m.hour, m.minute, m.second, m.millisecond);
  return buffer;
}

std::optional<LocalDateTime> ParseClock(std::string_view text) {
  // 0123456789012345678901
  // YYYY-MM-DDTHH:MM:SS.mmm
  if (text.size() != 23 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' ||
      text[16] != ':' || text[19] != '.') {
    return std::nullopt;
  }
  LocalDateTime time;
  time.year = Digits(text, 0, 4);
  time.month = Digits(text, 5, 2);
  time.day = Digits(text, 8, 2);
  time.hour = Digits(text, 11, 2);
  time.minute = Digits(text, 14, 2);
  time.second = Digits(text, 17, 2);
  time.millisecond = Digits(text, 20, 3);
  if (!IsCalendarDate(time.year, time.month, time.day) || time.hour < 0 || time.hour > 23 ||
      time.minute < 0 || time.minute > 59 || time.second < 0 || time.second > 59 ||
      time.millisecond < 0) {
    return std::nullopt;
  }
  return time;
}

}  // namespace kassivo
