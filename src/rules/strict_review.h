// The walks of strict mode: which rules each method asks, in order. The
// first broken rule of a walk is the first message in its findings.
//
//  - ReviewOpenShift: the shift is closed; the fiscal storage is not closed
//    and `now` is not before the last numbered document.
//  - ReviewCloseShift: the shift is open; `now` is not before the last
//    numbered document.
//  - ReviewCashInOutcome: the shift is open and under 24 hours, the fiscal
//    storage is not closed; a withdrawal (a negative amount), rounded to the
//    kopeck, does not exceed the drawer's cash. A finite amount beyond what
//    the drawer counts exactly (ExactDecimal::FromDouble) is refused with
//    "Сумма не верна.".
//  - ReviewRequestKM: a registration session is open.
//  - The check review (ProcessCheck and ProcessCorrectionCheck), in three
//    steps along the check reader's one pass over the package:
//    BeginCheckReview asks that the shift is open and under 24 hours, no
//    registration session is open, the fiscal storage is not closed and the
//    clock is not before the last numbered document, then, when the package
//    could be loaded and its header read, the header rules; ReviewPosition
//    asks the position rules (remarks alongside) of each FiscalString as the
//    pass reads it, one position after another; EndCheckReview asks the
//    total's limit, then the payment and drawer rules when every position's
//    amount and every payment could be read, then the payments' own rules.
//    ReviewAllPositions reads and reviews every position itself, for a check
//    that is refused anyway. A package that cannot be loaded or read is left
//    to the check reader, which reports the failure.
//  - AcceptCheck, once the check is formed: the drawer takes the check's
//    cash movement, the check's time is the last numbered document's, its
//    marking codes are used up and the remarks printed. AcceptCashInOutcome,
//    once the document is formed: the drawer takes the amount rounded to the
//    kopeck. AcceptNumberedDocument, once a shift is opened or closed: its
//    time is the last numbered document's.
// The clock is read once a call, and only when a rule needs it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "device/process_state.h"
#include "package/check_facts.h"
#include "package/check_package.h"
#include "rules/rule_findings.h"

namespace kassivo {

RuleFindings ReviewOpenShift(const ProcessState& state, const LocalDateTime& now);
RuleFindings ReviewCloseShift(const ProcessState& state, const LocalDateTime& now);
RuleFindings ReviewCashInOutcome(const ProcessState& state, double amount);
RuleFindings ReviewRequestKM(const ProcessState& state);

struct CheckReview {
  RuleFindings findings;
  std::optional<CheckFacts> facts;   // none when the package could not be read
  std::optional<LocalDateTime> now;  // the clock, when a rule read it
  int positions = 0;                 // reviewed so far
  // Their amounts; none once an amount was no number or below 0.
  std::optional<ExactDecimal> total = ExactDecimal();
  bool total_beyond_limit = false;  // FiscalFormatLimit
  bool marking_reported = false;    // the unregistered-marking message given
  // The records (MarkingRecords) of the positions' marking codes, each with
  // the position it was first seen on, and which records were seen; a code
  // no request carried, with its first position.
  std::vector<std::pair<std::size_t, int>> marking_records;
  std::vector<bool> records_seen;
  std::unordered_map<std::u16string, int> unrequested_positions;
  // What the check does to the drawer, once EndCheckReview could tell.
  std::optional<ExactDecimal> movement;
};

// `package` is null when the package could not be loaded.
CheckReview BeginCheckReview(const ProcessState& state, const CheckPackage* package,
                             bool electronic, bool correction);
void ReviewPosition(const ProcessState& state, const FiscalString& position, CheckReview& review);
void ReviewAllPositions(const ProcessState& state, CheckReview& review);
void EndCheckReview(const ProcessState& state, CheckReview& review);
void AcceptCheck(ProcessState& state, const CheckReview& review);
void AcceptCashInOutcome(ProcessState& state, double amount);
void AcceptNumberedDocument(ProcessState& state, const LocalDateTime& now);

}  // namespace kassivo
