// The walks of strict mode: which rules each method asks, in order. The
// first broken rule of a walk is the first message in its findings.
//
//  - ReviewOpenShift: the shift is closed.
//  - ReviewCloseShift: the shift is open.
//  - ReviewCashInOutcome: the shift is open and under 24 hours; a withdrawal
//    (a negative amount) does not exceed the drawer's cash.
//  - ReviewRequestKM: a registration session is open.
//  - The check review (ProcessCheck and ProcessCorrectionCheck), in three
//    steps along the check reader's one pass over the package:
//    BeginCheckReview asks that the shift is open and under 24 hours and no
//    registration session is open, then, when the package could be loaded
//    and its header read, the header rules; ReviewPosition asks the
//    position rules (remarks alongside) of each FiscalString as the pass
//    reads it, one position after another; EndCheckReview asks the payment
//    and drawer rules. ReviewAllPositions reads and reviews every position
//    itself, for a check that is refused anyway. A package that cannot be
//    loaded or read is left to the check reader, which reports the failure.
//  - AcceptCheck, once the check is formed: the drawer takes the check's
//    cash movement, the check's marking codes are used up and the remarks
//    printed. AcceptCashInOutcome, once the document is formed: the drawer
//    takes the amount. The drawer is kept to the cent.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "device/process_state.h"
#include "package/check_facts.h"
#include "package/check_package.h"
#include "rules/rule_findings.h"

namespace kassivo {

RuleFindings ReviewOpenShift(const ProcessState& state);
RuleFindings ReviewCloseShift(const ProcessState& state);
RuleFindings ReviewCashInOutcome(const ProcessState& state, double amount);
RuleFindings ReviewRequestKM(const ProcessState& state);

struct CheckReview {
  RuleFindings findings;
  std::optional<CheckFacts> facts;  // none when the package could not be read
  int positions = 0;                // reviewed so far
  double total = 0;                 // their amounts
  bool marking_reported = false;    // the unregistered-marking message given
  // The records (MarkingRecords) of the positions' marking codes.
  std::vector<std::size_t> marking_records;
};

// `package` is null when the package could not be loaded.
CheckReview BeginCheckReview(const ProcessState& state, const CheckPackage* package,
                             bool electronic, bool correction);
void ReviewPosition(const ProcessState& state, const FiscalString& position, CheckReview& review);
void ReviewAllPositions(const ProcessState& state, CheckReview& review);
void EndCheckReview(const ProcessState& state, CheckReview& review);
void AcceptCheck(ProcessState& state, const CheckReview& review);
void AcceptCashInOutcome(ProcessState& state, double amount);

}  // namespace kassivo
