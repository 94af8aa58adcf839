#include "rules/strict_review.h"

#include <cmath>

#include "rules/header_rules.h"
#include "rules/payment_rules.h"
#include "rules/position_rules.h"
#include "rules/refusal.h"
#include "rules/remark_rules.h"
#include "rules/rule_messages.h"
#include "rules/shift_rules.h"

namespace kassivo {

namespace {

// The drawer only ever gains a read amount's worth of kopecks (below 2^64)
// a call: its 128 bits cannot run out.
void MoveDrawerCash(ProcessState& state, const ExactDecimal& movement) {
  if (const std::optional<ExactDecimal> cash = Add(state.DrawerCash, movement)) {
    state.DrawerCash = *cash;
  }
}

// The clock, read only when a rule needs it: while the shift is open (its
// 24 hours, and the time a formed document takes) or once a document has
// taken a number.
std::optional<LocalDateTime> NowForRules(const ProcessState& state) {
  const SessionCounters& counters = state.Counters;
  if (!(counters.ShiftOpen && counters.ShiftOpenedAt) && !counters.LastDocumentAt) {
    return std::nullopt;
  }
  return state.platform().clock->Now();
}

// The rules of the time and the fiscal storage every numbered document asks.
void RequireStorageAndClock(const ProcessState& state, const std::optional<LocalDateTime>& now,
                            bool storage, RuleFindings& findings) {
  if (storage) RequireFiscalStorageOpen(state.FiscalStorageClosed, findings);
  if (now) RequireClockNotBeforeLastDocument(state.Counters, *now, findings);
}

}  // namespace

RuleFindings ReviewOpenShift(const ProcessState& state, const LocalDateTime& now) {
  RuleFindings findings;
  RequireShiftClosed(state.Counters, findings);
  RequireStorageAndClock(state, now, true, findings);
  return findings;
}

RuleFindings ReviewCloseShift(const ProcessState& state, const LocalDateTime& now) {
  RuleFindings findings;
  RequireShiftOpen(state.Counters, findings);
  RequireStorageAndClock(state, now, false, findings);
  return findings;
}

RuleFindings ReviewCashInOutcome(const ProcessState& state, double amount) {
  RuleFindings findings;
  RequireShiftOpen(state.Counters, findings);
  if (state.Counters.ShiftOpen && state.Counters.ShiftOpenedAt) {
    RequireShiftUnder24Hours(state.Counters, state.platform().clock->Now(), findings);
  }
  RequireFiscalStorageOpen(state.FiscalStorageClosed, findings);
  const std::optional<ExactDecimal> movement = ExactDecimal::FromDouble(amount, 2);
  if (movement) {
    RequireCashInDrawer(*movement, state.DrawerCash, state.number_format(), findings);
  } else if (std::isfinite(amount)) {
    findings.broken.push_back(RuleText(RuleMessage::kBadCashAmount));
  }
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
  review.now = NowForRules(state);
  RequireShiftOpen(state.Counters, findings);
  if (review.now) RequireShiftUnder24Hours(state.Counters, *review.now, findings);
  RequireNoMarkingSession(state.Marking, findings);
  RequireStorageAndClock(state, review.now, true, findings);
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

namespace {

// Adds the position's amount to the check's total; an amount that is no
// number or below 0 leaves the total unknown. A sum that no longer fits is
// far beyond the fiscal format's limit: the total stays as it was, marked
// beyond it (EndCheckReview compares the rest with the limit once).
void AddToTotal(const FiscalString& position, CheckReview& review) {
  if (!review.total || review.total_beyond_limit) return;
  const ExactAttribute& amount = position.exact_amount;
  if (!amount.IsNumber() || amount.value->IsNegative()) {
    review.total.reset();
    return;
  }
  if (const std::optional<ExactDecimal> sum = Add(*review.total, *amount.value)) {
    review.total = sum;
  } else {
    review.total_beyond_limit = true;
  }
}

// The number of the earlier position with the same marking code, 0 when
// none; records this one's. `record`: the code's MarkingRecords record.
// Codes are seldom repeated: an earlier position is looked for only then.
int EarlierWithCode(const ProcessState& state, std::u16string_view code,
                    const std::optional<std::size_t>& record, int number, CheckReview& review) {
  if (!record) {
    return review.unrequested_positions.try_emplace(std::u16string(code), number).first->second;
  }
  std::vector<bool>& seen = review.records_seen;
  if (seen.size() <= *record) seen.resize(state.Marking.RecordCount());
  if (!seen[*record]) {
    seen[*record] = true;
    review.marking_records.emplace_back(*record, number);
    return number;
  }
  for (const auto& [earlier_record, earlier] : review.marking_records) {
    if (earlier_record == *record) return earlier;
  }
  return number;
}

}  // namespace

void ReviewPosition(const ProcessState& state, const FiscalString& position, CheckReview& review) {
  const NumberFormat& format = state.number_format();
  RuleFindings& findings = review.findings;
  const int number = ++review.positions;
  AddToTotal(position, review);
  const MarkingCodeStatus* status = nullptr;
  int earlier = 0;
  if (HasText(position.marking_code)) {
    const std::u16string_view code = MarkingCodeAsSent(position);
    const std::optional<std::size_t> record = state.Marking.Find(code);
    if (record) status = &state.Marking.Status(*record);
    earlier = EarlierWithCode(state, code, record, number, review);
    if (earlier == number) earlier = 0;
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
  // The rules of what most positions lack are asked only of those that have it.
  const bool agent = HasText(position.calculation_agent);
  if (agent) RequireVendorInnForAgent(position, number, findings);
  RequireUniqueMarkingCode(number, earlier, findings);
  RequireRegisteredSubject(position, number, state.Registration, findings);
  if (agent) RequireRegisteredAgentType(position, number, state.Registration, findings);
  if (HasText(position.vat_amount)) RemarkVatAmount(position, number, format, findings);
  if (HasText(position.vendor_inn)) RemarkVendorInn(position, number, findings);
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
  if (review.total && *review.total > FiscalFormatLimit()) review.total_beyond_limit = true;
  RequireTotalWithinLimit(review.total_beyond_limit, format, findings);
  if (review.total && !review.total_beyond_limit && PaymentsReadable(check.payments)) {
    RequirePaymentCoversTotal(check.payments, *review.total, format, findings);
    RequireCashlessWithinTotal(check.payments, *review.total, format, findings);
    review.movement = CheckCashMovement(check, *review.total);
    if (review.movement) RequireCashInDrawer(*review.movement, state.DrawerCash, format, findings);
  }
  RequireReadablePayments(check.payments, findings);
}

void AcceptCheck(ProcessState& state, const CheckReview& review) {
  if (!review.facts) return;
  if (review.movement) MoveDrawerCash(state, *review.movement);
  if (review.now) state.Counters.LastDocumentAt = review.now;
  for (const auto& [record, number] : review.marking_records) state.Marking.UseUp(record);
  PrintRemarks(state.Receipt, review.findings.remarks);
}

void AcceptCashInOutcome(ProcessState& state, double amount) {
  if (const std::optional<ExactDecimal> movement = ExactDecimal::FromDouble(amount, 2)) {
    MoveDrawerCash(state, *movement);
  }
}

void AcceptNumberedDocument(ProcessState& state, const LocalDateTime& now) {
  state.Counters.LastDocumentAt = now;
}

}  // namespace kassivo
