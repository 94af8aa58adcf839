// Shifts, status and the X-report.
//
// OpenShift advances ShiftNumber and CheckNumber and opens the shift;
// CloseShift advances CheckNumber only and answers the number of the shift it
// closes, so shift numbers run 1, 1, 2, 2, ... across open/close pairs. The
// counters change before the input is read, so they stay changed when the
// input cannot be read. Each printing operation leaves fourteen entries:
// BeginDocument's two, the full header's eleven and a dashed separator.
#include "common/wrapping.h"
#include "device/emulator.h"
#include "documents/input_parameters.h"
#include "tape/header_blocks.h"

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

}  // namespace

bool TFPEmulator::OpenShift(std::u16string& AInParams, std::u16string& AOutParams) {
  SessionCounters& counters = state_.Counters;
  counters.ShiftOpen = true;
  counters.ShiftNumber = WrappingAdd(counters.ShiftNumber, 1);
  counters.CheckNumber = WrappingAdd(counters.CheckNumber, 1);
  PrintShiftDocument(state_, AInParams, u"СМЕНА ОТКРЫТА");
  AOutParams = BuildOutputParameters(kShiftOpen, counters.ShiftNumber, counters.CheckNumber);
  return true;
}

bool TFPEmulator::CloseShift(std::u16string& AInParams, std::u16string& AOutParams) {
  SessionCounters& counters = state_.Counters;
  counters.ShiftOpen = false;
  counters.CheckNumber = WrappingAdd(counters.CheckNumber, 1);
  PrintShiftDocument(state_, AInParams, u"СМЕНА ЗАКРЫТА");
  AOutParams = BuildOutputParameters(kShiftClosed, counters.ShiftNumber, counters.CheckNumber);
  return true;
}

bool TFPEmulator::ReportCurrentStatus(std::u16string& AInParams, std::u16string& AOutParams) {
  PrintShiftDocument(state_, AInParams, u"ТЕКУЩИЕ РАСЧЕТЫ");
  const SessionCounters& counters = state_.Counters;
  AOutParams = BuildOutputParameters(CurrentShiftState(counters), counters.ShiftNumber,
                                     counters.CheckNumber);
  return true;
}

bool TFPEmulator::GetCurrentStatus(std::u16string&, std::u16string& AOutParams) {
  const SessionCounters& counters = state_.Counters;
  AOutParams = BuildOutputParameters(CurrentShiftState(counters), counters.ShiftNumber,
                                     counters.CheckNumber);
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
