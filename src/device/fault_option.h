// The Faults option at work: a process begins with the faults its options
// record names (the options store, or KASSIVO_FAULTS over it).
#pragma once

#include "device/process_state.h"

namespace kassivo {

// Sets the faults state.Options.Faults names, through SetFaults; a value the
// grammar refuses (a store written by hand, an older version) sets none.
void ApplyFaultsOption(ProcessState& state);

}  // namespace kassivo
