#include "host/fault_gate.h"

#include <cstdint>
#include <optional>

#include "device/fault_messages.h"
#include "device/fault_state.h"
#include "host/driver_methods.h"

namespace kassivo {

namespace {

// The groups of methods the faults refuse.
enum Group : std::uint8_t {
  kRegister = 1,  // kkt
  kPrint = 2,     // paper, cover
  kFiscal = 4,    // power, fn, fn.expires, fn.archive, ofd
  kStorage = 8,   // fn=absent
  kSigning = 16,  // fn=broken, fn.expires
  kSale = 32,     // shift
};

constexpr unsigned GroupsOf(const CatalogueRow& row) {
  const unsigned fiscal = kRegister | kPrint | kFiscal | kStorage | kSigning;
  switch (row.method) {
    case Method::kOpen:
    case Method::kDeviceTest:
      return kRegister;
    case Method::kOpenShift:
    case Method::kCloseShift:
    case Method::kReportCurrentStatusOfSettlements:
      return fiscal;
    case Method::kProcessCheck:
    case Method::kProcessCorrectionCheck:
      return fiscal | kSale;
    case Method::kCashInOutcome:
      return kRegister | kPrint | kSale;
    case Method::kPrintXReport:
    case Method::kPrintTextDocument:
    case Method::kPrintCheckCopy:
    case Method::kOperationFN:
      return kRegister | kPrint;
    case Method::kGetDataKKT:
    case Method::kGetCurrentStatus:
      return kRegister | kStorage;
    case Method::kRequestKM:
      return kRegister | kStorage | kSigning;
    case Method::kClose:
    case Method::kSettlement:  // the card terminal's
      return 0;
    default:
      return row.device == DeviceKind::kDevice ? kRegister : 0;
  }
}

// The message of the first fault that refuses a call of `groups`, or empty.
// `power` receives the power fault that fires instead, when one does.
std::u16string_view Refusal(ProcessState& state, unsigned groups, PowerFault& power) {
  const FaultSet& faults = state.Faults;
  if (faults.kkt_offline && (groups & kRegister)) return kKktOfflineMessage;
  if (faults.power != PowerFault::kNone && (groups & kFiscal)) {
    power = faults.power;
    return {};
  }
  if (faults.fn == FnState::kAbsent && (groups & kStorage)) return kFnAbsentMessage;
  if (faults.fn == FnState::kBroken && (groups & kSigning)) return kFnBrokenMessage;
  if (groups & kSigning) {
    const std::optional<std::int32_t> days = FnDaysLeft(state);
    if (days && *days < 0) return kFnExpiredMessage;
  }
  if (groups & kFiscal) {
    if (faults.archive == ArchiveState::kFull) return kArchiveFullMessage;
    if (!state.OfdQueue.empty() && !state.Registration.IsOffline &&
        DaysUntil(state.OfdQueue.front().at, state.platform().clock->Now()) >= kOfdBlockDays) {
      return kOfdBlockedMessage;
    }
  }
  if (faults.shift_over24h && (groups & kSale)) return kShiftOver24hMessage;
  if (faults.cover_open && (groups & kPrint)) return kCoverOpenMessage;
  if (faults.paper == PaperState::kOut && (groups & kPrint)) return kPaperOutMessage;
  return {};
}

// Answers false with `message`, the row's ID written back and its answer
// emptied.
void Refuse(const CatalogueRow& row, MethodCall& call, std::u16string_view message) {
  call.Answer(false);
  call.state.LastErrorText = std::u16string(message);
  call.state.Receipt.SetStatus(std::u16string(message));
  if (row.method == Method::kOpen) call.PutText(0, u"");
  if (row.device == DeviceKind::kNone) return;
  if (row.always.id_index >= 0) call.PutId(row.always.id_index);
  for (const int index : row.always.empty_indexes) {
    if (index >= 0) call.PutText(index, u"");
  }
}

// What a fiscal call can form, kept to be put back when the power fails
// before the document is formed.
struct Formed {
  explicit Formed(MethodCall& call)
      : counters(call.state.Counters),
        drawer(call.state.DrawerCash),
        queue(call.state.OfdQueue),
        marking(call.state.Marking),
        doc_sum(call.device->FDocSum),
        fiscal(call.device->FFiscal) {}
  void PutBack(MethodCall& call) const {
    call.state.Counters = counters;
    call.state.DrawerCash = drawer;
    call.state.OfdQueue = queue;
    call.state.Marking = marking;
    call.device->FDocSum = doc_sum;
    call.device->FFiscal = fiscal;
  }
  SessionCounters counters;
  ExactDecimal drawer;
  std::deque<ProcessState::UnsentDocument> queue;
  MarkingRecords marking;
  double doc_sum;
  bool fiscal;
};

// The handler under a power fault: the call answers false whatever happens.
// Whether the document was formed.
bool CallLosingPower(const CatalogueRow& row, MethodCall& call, PowerFault power) {
  call.state.Faults.power = PowerFault::kNone;
  std::optional<Formed> before;
  if (power == PowerFault::kBefore) before.emplace(call);
  bool formed = false;
  try {
    row.handler(call);
    formed = call.result == Value::Boolean(true);
  } catch (...) {
    // The host hears nothing back either way.
  }
  if (before) {
    before->PutBack(call);
    call.state.Receipt.PrintLine(u"ЧЕК АННУЛИРОВАН", AlignCenter);
    formed = false;
  }
  Refuse(row, call, kPowerLostMessage);
  return formed;
}

// What a call leaves for the faults once its handler returned: `documents`
// were begun before it, `formed` tells whether it answered true (or formed
// its document, under power=after).
void AfterCall(const CatalogueRow& row, MethodCall& call, std::uint64_t documents, bool formed) {
  ProcessState& state = call.state;
  FaultSet& faults = state.Faults;
  Tape& tape = state.Receipt;
  if (faults.paper == PaperState::kNear &&
      tape.documents() + tape.hidden_documents() != documents) {
    tape.PrintLine(u"БУМАГА ЗАКАНЧИВАЕТСЯ", AlignCenter);
    if (--faults.paper_documents_left <= 0) faults.paper = PaperState::kOut;
  }
  if (formed) {
    if (row.method == Method::kOpenShift || row.method == Method::kCloseShift) {
      faults.shift_over24h = false;
    }
    if (row.method == Method::kOperationFN) {
      const std::int32_t type = ToInteger(call.params.At(1), call.format());
      if (type == 1 || type == 2) {
        faults.fn = FnState::kPresent;
        faults.fn_expires.reset();
        faults.archive = ArchiveState::kRoom;
      }
    }
  }
  RefreshFaultGate(state);
}

}  // namespace

void CallThroughFaults(const CatalogueRow& row, MethodCall& call) {
  ProcessState& state = call.state;
  if (state.Faults.ofd == OfdState::kOnline) state.OfdQueue.clear();
  PowerFault power = PowerFault::kNone;
  const std::u16string_view refusal = Refusal(state, GroupsOf(row), power);
  if (!refusal.empty()) {
    Refuse(row, call, refusal);
    RefreshFaultGate(state);
    return;
  }
  if (row.method != Method::kGetLastError) state.Receipt.SetStatus(u"");
  const Tape& tape = state.Receipt;
  const std::uint64_t documents = tape.documents() + tape.hidden_documents();
  if (power != PowerFault::kNone) {
    AfterCall(row, call, documents, CallLosingPower(row, call, power));
    return;
  }
  try {
    row.handler(call);
  } catch (...) {
    AfterCall(row, call, documents, false);
    throw;
  }
  AfterCall(row, call, documents, call.result == Value::Boolean(true));
}

}  // namespace kassivo
