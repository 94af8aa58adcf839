// Cash-in and cash-out documents and the cash drawer.
//
// CashInOutcome begins its document whatever the amount; an amount of 0
// (or one that is not a finite number) then answers false with
// "Сумма не верна." and leaves only the banner and title line. Otherwise the
// title is "ИНКАССАЦИЯ ВНЕСЕНИЕ" (positive) or "ИНКАССАЦИЯ ВЫЕМКА", followed
// by "СУММА=" and the absolute amount in the general number format. No
// counter changes.
//
// In strict mode the rules are asked first (a refusal prints only the
// refusal), and a formed document moves the drawer's cash by the amount
// rounded to the kopeck.
#include <cmath>

#include "common/number_format.h"
#include "device/emulator.h"
#include "documents/header_blocks.h"
#include "package/input_parameters.h"
#include "rules/refusal.h"
#include "rules/strict_review.h"

namespace kassivo {

bool TFPEmulator::CashInOutcome(const std::u16string& AParams, double AValue) {
  Tape& tape = state_.Receipt;
  if (state_.Options.Strict) RefuseIfBroken(tape, ReviewCashInOutcome(state_, AValue));
  tape.BeginDocument();
  if (AValue == 0 || !std::isfinite(AValue)) {
    state_.LastErrorText = u"Сумма не верна.";
    return false;
  }
  const std::u16string_view kind = AValue > 0 ? u"ВНЕСЕНИЕ" : u"ВЫЕМКА";
  InputParameters params;
  ParseInputParameters(*state_.platform().xml, AParams, params);
  PrintDocumentHeader(state_, u"ИНКАССАЦИЯ " + std::u16string(kind), params.CashierName,
                      params.CashierINN, params.SaleAddress, params.SaleLocation);
  tape.PrintLine(u"СУММА=" + FormatGeneral(std::fabs(AValue), state_.number_format()), AlignCenter);
  tape.PrintSeparator(true);
  if (state_.Options.Strict) AcceptCashInOutcome(state_, AValue);
  return true;
}

bool TFPEmulator::OpenCashDrawer() {
  Tape& tape = state_.Receipt;
  tape.BeginDocument();
  tape.PrintSeparator(false);
  tape.PrintLine(u"ДЕНЕЖНЫЙ ЯЩИК ОТКРЫТ", AlignCenter);
  tape.PrintSeparator(false);
  return true;
}

}  // namespace kassivo
