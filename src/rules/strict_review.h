// The walks of strict mode: which rules each method asks, in order. The
// first broken rule of a walk is the first message in its findings.
//
//  - ReviewOpenShift: the shift is closed.
//  - ReviewCloseShift: the shift is open.
//  - ReviewCashInOutcome: the shift is open and under 24 hours; a withdrawal
//    (a negative amount) does not exceed the drawer's cash.
//  - ReviewRequestKM: a registration session is open.
//  - ReviewCheck (ProcessCheck and ProcessCorrectionCheck): the shift is
//    open and under 24 hours, no registration session is open; then, when
//    the package could be loaded and read, the header rules, each position
//    against the position rules in turn (remarks alongside), and the
//    payment and drawer rules last. A package that cannot be loaded or read
//    is left to the check reader, which reports the failure itself.
//  - AcceptCheck, once the check is formed: the drawer takes the check's
//    cash movement, the check's marking codes are used up and the remarks
//    printed.
#pragma once

#include <optional>

#include "device/process_state.h"
#include "documents/check_package.h"
#include "rules/check_facts.h"
#include "rules/rule_findings.h"

namespace kassivo {

RuleFindings ReviewOpenShift(const ProcessState& state);
RuleFindings ReviewCloseShift(const ProcessState& state);
RuleFindings ReviewCashInOutcome(const ProcessState& state, double amount);
RuleFindings ReviewRequestKM(const ProcessState& state);

struct CheckReview {
  RuleFindings findings;
  std::optional<CheckFacts> facts;  // none when the package could not be read
};

// `package` is null when the package could not be loaded.
CheckReview ReviewCheck(const ProcessState& state, const CheckPackage* package, bool electronic,
                        bool correction);
void AcceptCheck(ProcessState& state, const CheckReview& review);

}  // namespace kassivo
