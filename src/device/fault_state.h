// Setting faults in a process: the one way the faults in force change from
// outside the driver's own calls (the options record and the environment at
// load, a script, the CLI, the receipt window, a host's additional action).
//
// SetFaults applies the fault list (faults.h) on the driver's clock,
// does what its items do once (the OFD's oldest unsent document dated back,
// the open shift's opening moved 24 hours back), and appends the text to
// FaultChanges for the call journal. A bad fault list changes nothing
// and gives the error.
//
// What the documents read of the faults:
//  - QueueForOfd: a document that took a number waits for the OFD while its
//    link is down (never on a register registered offline);
//  - FnDaysLeft: the days the fiscal storage's keys have left on the
//    driver's clock, when an expiry is set (the clock is read only then);
//  - StorageStatusOf: the FN flags and the backlog the status answers give.
//    Without faults it is the default StorageStatus, the fixed values.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "device/process_state.h"
#include "package/input_parameters.h"

namespace kassivo {

bool SetFaults(ProcessState& state, std::u16string_view spec, std::u16string& error);

// Sets state.FaultsSet from the faults, the OFD queue and the status line.
void RefreshFaultGate(ProcessState& state);

// The days from which the keys' expiry warns (FNFail) and calls for an
// urgent replacement (FNError).
inline constexpr std::int32_t kFnKeysWarningDays = 30;
inline constexpr std::int32_t kFnKeysUrgentDays = 3;
// The age, in days, of the oldest unsent document at which the fiscal
// storage stops signing.
inline constexpr std::int32_t kOfdBlockDays = 30;

void QueueForOfd(ProcessState& state, std::int32_t number);
std::optional<std::int32_t> FnDaysLeft(ProcessState& state);
StorageStatus StorageStatusOf(ProcessState& state);

}  // namespace kassivo
