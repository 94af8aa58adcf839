// Shifts, status and the X-report.
//
// OpenShift advances ShiftNumber and CheckNumber and opens the shift;
// CloseShift advances CheckNumber only and answers the number of the shift it
// closes, so shift numbers run 1, 1, 2, 2, ... across open/close pairs. The
// counters change before the input is read, so they stay changed when the
// input cannot be read. Each printing operation leaves fourteen entries:
// BeginDocument's two, the full header's eleven and a dashed separator.
//
// OpenShift keeps the clock's time as the shift's opening time. In strict
// mode OpenShift and CloseShift ask the rules first (a refusal changes no
// counter) and keep their time as the last numbered document's (CloseShift
// reads the clock only then), and the answers' CashBalance is the cash in
// the drawer.
#include "common/number_format.h"
#include "common/wrapping.h"
#include "device/emulator.h"
#include "documents/header_blocks.h"
#include "package/input_parameters.h"
#include "rules/refusal.h"
#include "rules/strict_review.h"

namespace kassivo {

namespace {

// Reads the input, then prints the document: begin, header, separator.
void PrintShiftDocument(ProcessState& state, std::u16string_view input, std::u16string_view title) {
  InputParameters params;
  ParseInputParameters(*state.platform().xml, input, params);
  state.Receipt.BeginDocument();
  PrintDocumentHeader(state, title, params.CashierName, params.CashierINN, params.SaleAddress,
                      params.SaleLocation);
  state.Receipt.PrintSeparator(true);
}

std::int32_t CurrentShiftState(const SessionCounters& counters) {
  return counters.ShiftOpen ? kShiftOpen : kShiftClosed;
}

std::u16string Answer(const ProcessState& state, std::int32_t shift_state) {
  const SessionCounters& counters = state.Counters;
  if (!state.Options.Strict) {
    return BuildOutputParameters(shift_state, counters.ShiftNumber, counters.CheckNumber);
  }
  return BuildOutputParameters(shift_state, counters.ShiftNumber, counters.CheckNumber,
                               state.DrawerCash.Format(0, NumberFormat{u".", u""}));
}

}  // namespace

bool TFPEmulator::OpenShift(std::u16string& AInParams, std::u16string& AOutParams) {
  const LocalDateTime now = state_.platform().clock->Now();
  if (state_.Options.Strict) RefuseIfBroken(state_.Receipt, ReviewOpenShift(state_, now));
  SessionCounters& counters = state_.Counters;
  if (state_.Options.Strict) AcceptNumberedDocument(state_, now);
  counters.ShiftOpen = true;
  counters.ShiftOpenedAt = now;
  counters.ShiftNumber = WrappingAdd(counters.ShiftNumber, 1);
  counters.CheckNumber = WrappingAdd(counters.CheckNumber, 1);
  PrintShiftDocument(state_, AInParams, u"СМЕНА ОТКРЫТА");
  AOutParams = Answer(state_, kShiftOpen);
  return true;
}

bool TFPEmulator::CloseShift(std::u16string& AInParams, std::u16string& AOutParams) {
  if (state_.Options.Strict) {
    const LocalDateTime now = state_.platform().clock->Now();
    RefuseIfBroken(state_.Receipt, ReviewCloseShift(state_, now));
    AcceptNumberedDocument(state_, now);
  }
  SessionCounters& counters = state_.Counters;
  counters.ShiftOpen = false;
  counters.ShiftOpenedAt.reset();
  counters.CheckNumber = WrappingAdd(counters.CheckNumber, 1);
  PrintShiftDocument(state_, AInParams, u"СМЕНА ЗАКРЫТА");
  AOutParams = Answer(state_, kShiftClosed);
  return true;
}

bool TFPEmulator::ReportCurrentStatus(std::u16string& AInParams, std::u16string& AOutParams) {
  PrintShiftDocument(state_, AInParams, u"ТЕКУЩИЕ РАСЧЕТЫ");
  AOutParams = Answer(state_, CurrentShiftState(state_.Counters));
  return true;
}

bool TFPEmulator::GetCurrentStatus(std::u16string&, std::u16string& AOutParams) {
  AOutParams = Answer(state_, CurrentShiftState(state_.Counters));
  return true;
}

bool TFPEmulator::PrintXReport(const std::u16string& AParams) {
  // The X-report begins its document before reading the input.
  state_.Receipt.BeginDocument();
  InputParameters params;
  ParseInputParameters(*state_.platform().xml, AParams, params);
  PrintDocumentHeader(state_, u"X-ОТЧЕТ", params.CashierName, params.CashierINN, params.SaleAddress,
                      params.SaleLocation);
  state_.Receipt.PrintSeparator(true);
  return true;
}

}  // namespace kassivo
