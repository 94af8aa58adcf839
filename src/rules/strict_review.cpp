#include "rules/strict_review.h"

#include "rules/header_rules.h"
#include "rules/payment_rules.h"
#include "rules/position_rules.h"
#include "rules/refusal.h"
#include "rules/remark_rules.h"
#include "rules/shift_rules.h"

namespace kassivo {

namespace {

void MoveDrawerCash(ProcessState& state, double movement) {
  state.DrawerCash = RoundToCents(state.DrawerCash + movement);
}

Clock& ClockOf(const ProcessState& state) {
  return *state.platform().clock;
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

CheckReview BeginCheckReview(const ProcessState& state, const CheckPackage* package,
                             bool electronic, bool correction) {
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
  return review;
}

void ReviewPosition(const ProcessState& state, const FiscalString& position, CheckReview& review) {
  const NumberFormat& format = state.number_format();
  RuleFindings& findings = review.findings;
  const int number = ++review.positions;
  review.total += position.amount;
  const MarkingCodeStatus* status = nullptr;
  if (HasText(position.marking_code)) {
    if (const std::optional<std::size_t> record = state.Marking.Find(*position.marking_code)) {
      review.marking_records.push_back(*record);
      status = &state.Marking.Status(*record);
    }
  }
  const bool quantity = RequirePositiveQuantity(position, number, findings);
  if (RequirePriceAndAmount(position, number, findings) && quantity) {
    RequireAmountIsPriceTimesQuantity(position, number, format, findings);
  }
  RequirePaymentMethod(position, number, findings);
  RequireCalculationSubject(position, number, findings);
  RequireVatRate(position, number, findings);
  if (!review.marking_reported) {
    review.marking_reported = !RequireMarkingRegistration(position, state.Registration, findings);
  }
  RequireCheckedMarkingCode(position, number, status, findings);
  RequireVendorInnForAgent(position, number, findings);
  RemarkVatAmount(position, number, format, findings);
  RemarkVendorInn(position, number, findings);
}

void ReviewAllPositions(const ProcessState& state, CheckReview& review) {
  if (!review.facts || !review.facts->positions) return;
  for (const XmlNode& item : review.facts->positions->children) {
    if (item.Is(u"FiscalString")) {
      ReviewPosition(state, ReadFiscalString(item, state.number_format(), true), review);
    }
  }
}

void EndCheckReview(const ProcessState& state, CheckReview& review) {
  if (!review.facts) return;
  const CheckFacts& check = *review.facts;
  const NumberFormat& format = state.number_format();
  RuleFindings& findings = review.findings;
  RequirePaymentCoversTotal(check.payments, review.total, format, findings);
  RequireCashlessWithinTotal(check.payments, review.total, format, findings);
  RequireCashInDrawer(CheckCashMovement(check, review.total), state.DrawerCash, format, findings);
}

void AcceptCheck(ProcessState& state, const CheckReview& review) {
  if (!review.facts) return;
  MoveDrawerCash(state, CheckCashMovement(*review.facts, review.total));
  for (const std::size_t record : review.marking_records) state.Marking.UseUp(record);
  PrintRemarks(state.Receipt, review.findings.remarks);
}

void AcceptCashInOutcome(ProcessState& state, double amount) {
  MoveDrawerCash(state, amount);
}

}  // namespace kassivo
