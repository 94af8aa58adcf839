#include "rules/strict_review.h"

#include "rules/header_rules.h"
#include "rules/payment_rules.h"
#include "rules/position_rules.h"
#include "rules/refusal.h"
#include "rules/remark_rules.h"
#include "rules/shift_rules.h"

namespace kassivo {

namespace {

Clock& ClockOf(const ProcessState& state) {
  return *state.platform().clock;
}

void ReviewPositions(const ProcessState& state, const CheckFacts& check, RuleFindings& findings) {
  const NumberFormat& format = state.number_format();
  bool marking_reported = false;
  int number = 0;
  for (const PositionFacts& position : check.positions) {
    ++number;
    const bool quantity = RequirePositiveQuantity(position, number, findings);
    if (RequirePriceAndAmount(position, number, findings) && quantity) {
      RequireAmountIsPriceTimesQuantity(position, number, format, findings);
    }
    RequirePaymentMethod(position, number, findings);
    RequireCalculationSubject(position, number, findings);
    RequireVatRate(position, number, findings);
    if (!marking_reported) {
      marking_reported = !RequireMarkingRegistration(position, state.Registration, findings);
    }
    RequireCheckedMarkingCode(position, number, state.Marking, findings);
    RequireVendorInnForAgent(position, number, findings);
    RemarkVatAmount(position, number, format, findings);
    RemarkVendorInn(position, number, findings);
  }
}

}  // namespace

RuleFindings ReviewOpenShift(const ProcessState& state) {
  RuleFindings findings;
  RequireShiftClosed(state.Counters, findings);
  return findings;
}

RuleFindings ReviewCloseShift(const ProcessState& state) {
  RuleFindings findings;
  RequireShiftOpen(state.Counters, findings);
  return findings;
}

RuleFindings ReviewCashInOutcome(const ProcessState& state, double amount) {
  RuleFindings findings;
  RequireShiftOpen(state.Counters, findings);
  RequireShiftUnder24Hours(state.Counters, ClockOf(state), findings);
  RequireCashInDrawer(amount, state.DrawerCash, state.number_format(), findings);
  return findings;
}

RuleFindings ReviewRequestKM(const ProcessState& state) {
  RuleFindings findings;
  RequireMarkingSession(state.Marking, findings);
  return findings;
}

CheckReview ReviewCheck(const ProcessState& state, const CheckPackage* package, bool electronic,
                        bool correction) {
  CheckReview review;
  RuleFindings& findings = review.findings;
  RequireShiftOpen(state.Counters, findings);
  RequireShiftUnder24Hours(state.Counters, ClockOf(state), findings);
  RequireNoMarkingSession(state.Marking, findings);
  if (!package) return review;
  try {
    review.facts = ReadCheckFacts(*package, state.number_format(), electronic, correction);
  } catch (const DriverError&) {
    return review;
  }
  const CheckFacts& check = *review.facts;
  RequireCashier(check, findings);
  RemarkCashierInn(check, findings);
  RemarkCustomerInn(check, findings);
  RequireOperationType(check, findings);
  RequireRegisteredTaxation(check, state.Registration, findings);
  RequirePositions(check, findings);
  RequireCustomerContact(check, findings);
  RequireCorrectionData(check, findings);
  ReviewPositions(state, check, findings);
  RequirePaymentCoversTotal(check, state.number_format(), findings);
  RequireCashlessWithinTotal(check, state.number_format(), findings);
  RequireCashInDrawer(CheckCashMovement(check), state.DrawerCash, state.number_format(), findings);
  return review;
}

void AcceptCheck(ProcessState& state, const CheckReview& review) {
  if (!review.facts) return;
  state.DrawerCash += CheckCashMovement(*review.facts);
  for (const PositionFacts& position : review.facts->positions) {
    if (const std::u16string* code = MarkingCodeOf(position)) state.Marking.UseUp(*code);
  }
  PrintRemarks(state.Receipt, review.findings.remarks);
}

}  // namespace kassivo
