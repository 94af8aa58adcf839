// The rules of the shift and of the marking-code registration session. Each
// adds its message to the findings when it is broken.
//  - RequireShiftOpen: the shift is open;
//  - RequireShiftClosed: the shift is closed (before OpenShift);
//  - RequireShiftUnder24Hours: an open shift whose opening time is known
//    was opened less than 24 hours before the clock's time (the clock is
//    read only then);
//  - RequireNoMarkingSession: no registration session is open (checks);
//  - RequireMarkingSession: a registration session is open (RequestKM).
#pragma once

#include <cstdint>

#include "device/process_state.h"
#include "rules/rule_findings.h"

namespace kassivo {

void RequireShiftOpen(const SessionCounters& counters, RuleFindings& findings);
void RequireShiftClosed(const SessionCounters& counters, RuleFindings& findings);
void RequireShiftUnder24Hours(const SessionCounters& counters, Clock& clock,
                              RuleFindings& findings);
void RequireNoMarkingSession(const MarkingRecords& marking, RuleFindings& findings);
void RequireMarkingSession(const MarkingRecords& marking, RuleFindings& findings);

// Seconds from `from` to `to` on the calendar (no time zones, no leap
// seconds); negative when `to` is earlier.
std::int64_t SecondsBetween(const LocalDateTime& from, const LocalDateTime& to);

}  // namespace kassivo
