#include "rules/shift_rules.h"

#include "rules/rule_messages.h"

namespace kassivo {

namespace {

// Days from 1970-01-01 to the date of the proleptic Gregorian calendar.
std::int64_t DaysFromEpoch(std::int64_t year, std::int64_t month, std::int64_t day) {
  year -= month <= 2 ? 1 : 0;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const std::int64_t year_of_era = year - era * 400;
  const std::int64_t day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t day_of_era =
      year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + day_of_era - 719468;
}

std::int64_t SecondsOf(const LocalDateTime& time) {
  return DaysFromEpoch(time.year, time.month, time.day) * 86400 + time.hour * 3600 +
         time.minute * 60 + time.second;
}

constexpr std::int64_t kShiftLimit = 24 * 3600;

// DD.MM.YYYY HH:MM
std::u16string MinuteText(const LocalDateTime& time) {
  std::u16string text;
  auto two = [&text](int value) {
    text.push_back(static_cast<char16_t>(u'0' + value / 10 % 10));
    text.push_back(static_cast<char16_t>(u'0' + value % 10));
  };
  two(time.day);
  text.push_back(u'.');
  two(time.month);
  text.push_back(u'.');
  two(time.year / 100);
  two(time.year % 100);
  text.push_back(u' ');
  two(time.hour);
  text.push_back(u':');
  two(time.minute);
  return text;
}

}  // namespace

std::int64_t SecondsBetween(const LocalDateTime& from, const LocalDateTime& to) {
  return SecondsOf(to) - SecondsOf(from);
}

void RequireShiftOpen(const SessionCounters& counters, RuleFindings& findings) {
  if (!counters.ShiftOpen) findings.broken.push_back(RuleText(RuleMessage::kShiftNotOpen));
}

void RequireShiftClosed(const SessionCounters& counters, RuleFindings& findings) {
  if (counters.ShiftOpen) findings.broken.push_back(RuleText(RuleMessage::kShiftAlreadyOpen));
}

void RequireShiftUnder24Hours(const SessionCounters& counters, const LocalDateTime& now,
                              RuleFindings& findings) {
  if (!counters.ShiftOpen || !counters.ShiftOpenedAt) return;
  const std::int64_t seconds = SecondsBetween(*counters.ShiftOpenedAt, now);
  // Whole milliseconds decide at the very limit.
  const std::int64_t millis =
      seconds * 1000 + now.millisecond - counters.ShiftOpenedAt->millisecond;
  if (millis >= kShiftLimit * 1000) {
    findings.broken.push_back(RuleText(RuleMessage::kShiftOver24Hours));
  }
}

void RequireFiscalStorageOpen(bool storage_closed, RuleFindings& findings) {
  if (storage_closed) findings.broken.push_back(RuleText(RuleMessage::kFiscalModeClosed));
}

void RequireClockNotBeforeLastDocument(const SessionCounters& counters, const LocalDateTime& now,
                                       RuleFindings& findings) {
  if (!counters.LastDocumentAt) return;
  const LocalDateTime& last = *counters.LastDocumentAt;
  LocalDateTime last_minute = last;
  last_minute.second = 0;
  LocalDateTime now_minute = now;
  now_minute.second = 0;
  if (SecondsBetween(last_minute, now_minute) >= 0) return;
  findings.broken.push_back(
      RuleText(RuleMessage::kClockBeforeLastDocument, {{u'X', MinuteText(last)}}));
}

void RequireNoMarkingSession(const MarkingRecords& marking, RuleFindings& findings) {
  if (marking.SessionOpen) findings.broken.push_back(RuleText(RuleMessage::kMarkingSessionOpen));
}

void RequireMarkingSession(const MarkingRecords& marking, RuleFindings& findings) {
  if (!marking.SessionOpen) {
    findings.broken.push_back(RuleText(RuleMessage::kMarkingSessionNotOpen));
  }
}

}  // namespace kassivo
