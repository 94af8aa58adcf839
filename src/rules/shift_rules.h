// The rules of the shift and of the marking-code registration session. Each
// adds its message to the findings when it is broken.
//  - RequireShiftOpen: the shift is open;
//  - RequireShiftClosed: the shift is closed (before OpenShift);
//  - RequireShiftUnder24Hours: an open shift whose opening time is known
//    was opened less than 24 hours before `now`;
//  - RequireNoMarkingSession: no registration session is open (checks);
//  - RequireMarkingSession: a registration session is open (RequestKM);
//  - RequireFiscalStorageOpen: OperationFN has not closed the fiscal
//    storage (or a later one registered the register again);
//  - RequireClockNotBeforeLastDocument: `now` is not earlier than the last
//    document that took a number, both taken to the minute as the fiscal
//    storage keeps them; the message names that document's time as
//    DD.MM.YYYY HH:MM.
#pragma once

#include <cstdint>

#include "device/process_state.h"
#include "rules/rule_findings.h"

namespace kassivo {

void RequireShiftOpen(const SessionCounters& counters, RuleFindings& findings);
void RequireShiftClosed(const SessionCounters& counters, RuleFindings& findings);
void RequireShiftUnder24Hours(const SessionCounters& counters, const LocalDateTime& now,
                              RuleFindings& findings);
void RequireNoMarkingSession(const MarkingRecords& marking, RuleFindings& findings);
void RequireMarkingSession(const MarkingRecords& marking, RuleFindings& findings);
void RequireFiscalStorageOpen(bool storage_closed, RuleFindings& findings);
void RequireClockNotBeforeLastDocument(const SessionCounters& counters, const LocalDateTime& now,
                                       RuleFindings& findings);

// Seconds from `from` to `to` on the calendar (no time zones, no leap
// seconds); negative when `to` is earlier.
std::int64_t SecondsBetween(const LocalDateTime& from, const LocalDateTime& to);

}  // namespace kassivo
