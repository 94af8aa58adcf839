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
//
// Faults (device/fault_state.h): the answers carry the fiscal storage's
// flags and the OFD's backlog; a shift document numbered while the OFD is
// unreachable is queued for it, the closing one prints the queue, and both
// print how long the storage's keys have left once that is a month or less.
#include <algorithm>

#include "common/number_format.h"
#include "common/word_wrap.h"
#include "common/wrapping.h"
#include "device/emulator.h"
#include "device/fault_state.h"
#include "documents/header_blocks.h"
#include "package/input_parameters.h"
#include "rules/refusal.h"
#include "rules/strict_review.h"

namespace kassivo {

namespace {

std::u16string DateText(const LocalDateTime& at) {
  const auto two = [](int value) {
    return std::u16string{static_cast<char16_t>(u'0' + value / 10 % 10),
                          static_cast<char16_t>(u'0' + value % 10)};
  };
  return two(at.day) + u"." + two(at.month) + u"." + DecimalText(at.year);
}

// What a shift document says of the faults: the unsent documents (`closing`
// only) and the keys' days left.
void PrintFaultNotes(ProcessState& state, bool closing) {
  Tape& tape = state.Receipt;
  if (closing && !state.OfdQueue.empty()) {
    const ProcessState::UnsentDocument& first = state.OfdQueue.front();
    tape.PrintLine(
        u"НЕПЕРЕДАННЫХ ФД: " + DecimalText(static_cast<std::int64_t>(state.OfdQueue.size())),
        AlignLeft);
    const std::u16string line =
        u"ПЕРВЫЙ НЕПЕРЕДАННЫЙ: № " + DecimalText(first.number) + u" ОТ " + DateText(first.at);
    const std::size_t width = static_cast<std::size_t>(std::max<std::int32_t>(tape.Width(), 1));
    for (const std::u16string& row : WrapWords(line, width)) tape.PrintLine(row, AlignLeft);
  }
  const std::optional<std::int32_t> days = FnDaysLeft(state);
  if (days && *days <= kFnKeysWarningDays) {
    tape.PrintLine(u"РЕСУРС КЛЮЧЕЙ ФН: " + DecimalText(*days) + u" ДН.", AlignLeft);
    if (*days <= kFnKeysUrgentDays) tape.PrintLine(u"СРОЧНАЯ ЗАМЕНА ФН", AlignCenter);
  }
}

// Reads the input, then prints the document: begin, header, the faults'
// notes (`notes` set: the opening's or the closing's), separator.
void PrintShiftDocument(ProcessState& state, std::u16string_view input, std::u16string_view title,
                        std::optional<bool> notes = std::nullopt) {
  InputParameters params;
  ParseInputParameters(*state.platform().xml, input, params);
  state.Receipt.BeginDocument();
  PrintDocumentHeader(state, title, params.CashierName, params.CashierINN, params.SaleAddress,
                      params.SaleLocation);
  if (notes && state.FaultsSet) PrintFaultNotes(state, *notes);
  state.Receipt.PrintSeparator(true);
}

std::int32_t CurrentShiftState(const SessionCounters& counters) {
  return counters.ShiftOpen ? kShiftOpen : kShiftClosed;
}

std::u16string Answer(ProcessState& state, std::int32_t shift_state) {
  const SessionCounters& counters = state.Counters;
  const StorageStatus storage = StorageStatusOf(state);
  if (!state.Options.Strict) {
    return BuildOutputParameters(shift_state, counters.ShiftNumber, counters.CheckNumber, u"1000",
                                 storage);
  }
  return BuildOutputParameters(shift_state, counters.ShiftNumber, counters.CheckNumber,
                               state.DrawerCash.Format(0, NumberFormat{u".", u""}), storage);
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
  QueueForOfd(state_, counters.CheckNumber);
  PrintShiftDocument(state_, AInParams, u"СМЕНА ОТКРЫТА", false);
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
  QueueForOfd(state_, counters.CheckNumber);
  PrintShiftDocument(state_, AInParams, u"СМЕНА ЗАКРЫТА", true);
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
