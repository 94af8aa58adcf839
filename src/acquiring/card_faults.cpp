#include "acquiring/card_faults.h"

#include <cmath>

#include "acquiring/card_threshold.h"
#include "common/number_format.h"

namespace kassivo {

namespace {

constexpr std::u16string_view kBlocked = u"Карта заблокирована";

std::u16string_view MessageOf(CardOutcome outcome) {
  for (const CardOutcomeName& name : kCardOutcomes) {
    if (name.outcome == outcome) return name.message;
  }
  return kBlocked;
}

// Sandbox amounts: the kopecks choose the answer.
CardOutcome ByKopecks(double amount) {
  if (!std::isfinite(amount)) return CardOutcome::kDeclined;
  switch (std::llround(std::fabs(amount) * 100) % 100) {
    case 5:
      return CardOutcome::kDeclined;
    case 51:
      return CardOutcome::kInsufficientFunds;
    case 55:
      return CardOutcome::kWrongPin;
    case 91:
      return CardOutcome::kNoLink;
    case 99:
      return CardOutcome::kTimeout;
    default:
      return CardOutcome::kApproved;
  }
}

void UseOnce(FaultSet& faults) {
  if (!faults.card_once) return;
  faults.card = CardOutcome::kNone;
  faults.card_once = false;
}

}  // namespace

CardVerdict DecideCardOperation(ProcessState& state, double amount) {
  FaultSet& faults = state.Faults;
  if (faults.card == CardOutcome::kNone) {
    const bool approved = ApprovesCardAmount(amount, state.Settings.ThresholdPositiveOperations);
    return {approved, approved ? std::u16string_view() : kBlocked, false, false};
  }
  CardOutcome outcome = faults.card;
  if (outcome == CardOutcome::kByKopecks) outcome = ByKopecks(amount);
  UseOnce(faults);
  if (outcome == CardOutcome::kApproved) return {true, {}, false, true};
  if (outcome == CardOutcome::kTimeout) {
    state.UnansweredCardAmount = std::fabs(amount);
    return {false, MessageOf(outcome), true, true};
  }
  return {false, MessageOf(outcome), false, true};
}

std::u16string_view RefusalOfCardMethod(ProcessState& state, CardMethod method) {
  FaultSet& faults = state.Faults;
  const bool refused = faults.card == CardOutcome::kOffline ||
                       (faults.card == CardOutcome::kNoLink && method == CardMethod::kSettlement);
  if (!refused) return {};
  const std::u16string_view message = MessageOf(faults.card);
  UseOnce(faults);
  state.Receipt.SetStatus(std::u16string(message));
  return message;
}

bool ReverseLostOperation(ProcessState& state) {
  if (!state.UnansweredCardAmount) return false;
  const double amount = *state.UnansweredCardAmount;
  state.UnansweredCardAmount.reset();
  Tape& tape = state.Receipt;
  tape.BeginDocument();
  tape.PrintSeparator(true);
  tape.PrintLine(u"ЭКВАЙРИНГОВАЯ ОПЕРАЦИЯ", AlignCenter);
  tape.PrintLine(u"АВАРИЙНАЯ ОТМЕНА", AlignCenter);
  tape.PrintSeparator(true);
  tape.PrintLine(u"СУММА=" + FormatGeneral(amount, state.number_format()), AlignCenter);
  tape.PrintSeparator(true);
  tape.PrintLine(u"РЕЗУЛЬТАТ ОПЕРАЦИИ - УСПЕШНО", AlignCenter);
  tape.PrintSeparator(true);
  return true;
}

}  // namespace kassivo
