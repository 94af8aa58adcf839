// Setting faults in a process: the one way the faults in force change from
// outside the driver's own calls (the options record and the environment at
// load, a script, the CLI, the receipt window, a host's additional action).
//
// SetFaults applies the specification (faults.h) on the driver's clock,
// does what its items do once (the OFD's oldest unsent document dated back,
// the open shift's opening moved 24 hours back), and appends the text to
// FaultChanges for the call journal. A bad specification changes nothing
// and gives the error.
#pragma once

#include <string>
#include <string_view>

#include "device/process_state.h"

namespace kassivo {

bool SetFaults(ProcessState& state, std::u16string_view spec, std::u16string& error);

}  // namespace kassivo
