// The state of a driver process that a replay needs to begin in the middle
// of the process's day: a journal file that continues an earlier one starts
// with it, as ":state" lines after ":continues" (journal_lines.h):
//
//   :state setting NAME LITERAL          every driver setting
//   :state shift NUMBER open|closed CHECK  the shift's number and state, the
//                                        check number
//   :state shift-opened MOMENT           the open shift's opening (if any)
//   :state last-document MOMENT          the last numbered document in
//                                        strict mode (if any)
//   :state drawer "AMOUNT"               the cash counted in the drawer
//   :state fiscal-storage closed         OperationFN closed it
//   :state marking-session open          a marking-code session is open
//   :state marking-codes N               codes requested and not used up
//   :state km-request LITERAL            the last marking request's GUID
//   :state last-error LITERAL            the text GetLastError gives
//   :state ofd-tracked                   the OFD's backlog is kept (faults.h):
//                                        read, no longer written, for the
//                                        header's ":fault ...ofd=online" says
//                                        the same
//   :state ofd-unsent NUMBER MOMENT      a document the OFD has not had, oldest
//                                        first
//   :state object N ISSUED "ID"...       a component object between Init and
//                                        Done: the IDs its device list issued
//                                        and the devices it holds
//
// The codes requested in a marking-code session are not carried: a replay
// that begins with marking codes outstanding cannot judge them as the
// process did (CanBeginFrom says so).
//
// The snapshot is captured before each call (and each Init and Done) while
// the journal is on, so that a file begun after the call still describes
// the state the call began in. Capturing copies a few fields; device IDs are
// copied again only when a list changed.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "device/emulator.h"
#include "device/process_state.h"

namespace kassivo {

struct ProcessSnapshot {
  DriverSettings settings;
  SessionCounters counters;
  ExactDecimal drawer;
  bool fiscal_storage_closed = false;
  bool marking_session = false;
  std::size_t marking_codes = 0;
  std::u16string km_request;
  std::optional<std::u16string> last_error;
  std::vector<ProcessState::UnsentDocument> unsent;
  // Not a ":state" line: the header gives it as ":fault FAULTS".
  FaultSet faults;
  struct Object {
    std::int32_t number = 0;
    std::int32_t issued = 0;
    std::vector<std::u16string> ids;
  };
  std::vector<Object> objects;
};

void CaptureSnapshot(const ProcessState& state, ProcessSnapshot& snapshot);
void AppendSnapshotLines(const ProcessSnapshot& snapshot, std::string& out);

// Applies one ":state" line, given as its tokens after ":state", to a
// replay's process. `devices(N)` gives object N's device list, the object
// created and Init'ed. Throws ScriptError for a line it cannot read, and
// for "marking-codes" above 0 (a replay cannot begin there).
void ApplyStateLine(ProcessState& state, const std::vector<std::string_view>& tokens,
                    const std::function<TFPEmulatorList&(std::int32_t)>& devices);

}  // namespace kassivo
