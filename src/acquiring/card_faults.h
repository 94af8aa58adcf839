// The card terminal while a card fault is set (device/faults.h): what it
// answers instead of its amount threshold, which methods it refuses, and the
// emergency reversal of an operation whose answer it lost.
//
// A payment, return or cancellation asks DecideCardOperation: with no card
// fault the threshold decides (a decline reads "Карта заблокирована");
// otherwise the outcome does: `approved` approves, `by-kopecks` picks an
// outcome by the amount's kopecks, `timeout` approves at the bank and loses
// the answer (the amount waits for EmergencyReversal), every other outcome
// declines with its message. RefusalOfCardMethod gives the refusal of a
// method before the terminal does anything: `offline` refuses every card
// method, `no-link` Settlement too. A fault set with `:once` is cleared by
// the first operation it decided and by the first method it refused.
#pragma once

#include <string_view>

#include "device/process_state.h"

namespace kassivo {

struct CardVerdict {
  bool approved = true;
  // Why a declined operation was declined; empty when approved.
  std::u16string_view reason;
  // The bank approved, the terminal never heard: no RRN, no code.
  bool answer_lost = false;
  // Decided by a fault rather than by the threshold.
  bool by_fault = false;
};

CardVerdict DecideCardOperation(ProcessState& state, double amount);

enum class CardMethod { kOperation, kSettlement, kOther };

// The message refusing `method` outright; empty when the terminal takes it.
std::u16string_view RefusalOfCardMethod(ProcessState& state, CardMethod method);

// The answer to EmergencyReversal: true once after an answer was lost, with
// a slip "АВАРИЙНАЯ ОТМЕНА" for its amount; false otherwise (the caller
// gives the error).
bool ReverseLostOperation(ProcessState& state);

}  // namespace kassivo
