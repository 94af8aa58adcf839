// The Gregorian calendar's month lengths, for checking dates the driver is
// given (a check's dates, the command line's clock).
#pragma once

namespace kassivo {

inline bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// `month` from 1 to 12.
inline int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Whether year (from 1), month and day name a day of the calendar.
inline bool IsCalendarDate(int year, int month, int day) {
  return year >= 1 && month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month);
}

}  // namespace kassivo
