// The emulated card terminal: payments, returns and cancellations approved or
// declined by the threshold or by a card fault (card_faults.h), each with
// its slip, and the day totals.
#include <cmath>

#include "acquiring/card_faults.h"
#include "acquiring/transaction_codes.h"
#include "common/number_format.h"
#include "common/word_wrap.h"
#include "device/emulator.h"
#include "documents/header_blocks.h"

namespace kassivo {

namespace {

constexpr std::u16string_view kSlipTitle = u"ЭКВАЙРИНГОВАЯ ОПЕРАЦИЯ";
constexpr std::u16string_view kMaskedCardNumber = u"1234xxxxxx5678";
constexpr std::u16string_view kApproved = u"РЕЗУЛЬТАТ ОПЕРАЦИИ - УСПЕШНО";
constexpr std::u16string_view kDeclined = u"РЕЗУЛЬТАТ ОПЕРАЦИИ - ОТКЛОНЕНА";
constexpr std::u16string_view kSettlementTitle = u"ИТОГИ ДНЯ ПО КАРТАМ";

}  // namespace

bool TFPEmulator::DoBillingTransaction(const std::u16string& ATransaction, double AAmount,
                                       std::u16string& ACardNumber, std::u16string&,
                                       std::u16string& ARRNCode, std::u16string& AAuthorizationCode,
                                       std::u16string& AReport) {
  Tape& tape = state_.Receipt;
  Clock& clock = *state_.platform().clock;
  const CardVerdict verdict = DecideCardOperation(state_, AAmount);
  tape.BeginDocument();
  tape.PrintSeparator(true);
  AReport = kSlipTitle;
  tape.PrintLine(AReport, AlignCenter);
  tape.PrintLine(ATransaction, AlignCenter);
  tape.PrintSeparator(true);
  ACardNumber = kMaskedCardNumber;
  // A lost answer brought neither the RRN nor the code.
  ARRNCode = verdict.answer_lost ? std::u16string() : RRNCode(clock.Now());
  // The code reads the clock anew, as a terminal would when it authorises.
  AAuthorizationCode = verdict.answer_lost ? std::u16string() : AuthorizationCode(clock.Now());
  tape.PrintLine(u"СУММА=" + FormatGeneral(std::fabs(AAmount), state_.number_format()),
                 AlignCenter);
  tape.PrintSeparator(true);
  tape.PrintLine(u"Card=" + ACardNumber, AlignCenter);
  if (!verdict.answer_lost) {
    tape.PrintLine(u"PRN=" + ARRNCode, AlignCenter);
    tape.PrintLine(u"AuthorizationCoder=" + AAuthorizationCode, AlignCenter);
  }
  tape.PrintSeparator(true);
  const std::u16string_view result_line = verdict.approved ? kApproved : kDeclined;
  tape.PrintLine(result_line, AlignCenter);
  AReport += u'\r';
  AReport += result_line;
  if (verdict.by_fault && !verdict.approved) {
    for (const std::u16string& row :
         WrapWords(verdict.reason, static_cast<std::size_t>(tape.Width()))) {
      tape.PrintLine(row, AlignCenter);
    }
    AReport += u'\r';
    AReport += verdict.reason;
    tape.SetStatus(std::u16string(verdict.reason));
  }
  tape.PrintSeparator(true);
  if (!verdict.approved) state_.LastErrorText = std::u16string(verdict.reason);
  return verdict.approved;
}

bool TFPEmulator::Settlement(std::u16string& AReport) {
  if (const std::u16string_view refusal = RefusalOfCardMethod(state_, CardMethod::kSettlement);
      !refusal.empty()) {
    state_.LastErrorText = std::u16string(refusal);
    return false;
  }
  state_.Receipt.BeginDocument();
  PrintShortHeader(state_, kSettlementTitle);
  AReport = kSettlementTitle;
  state_.Receipt.PrintSeparator(true);
  return true;
}

}  // namespace kassivo
