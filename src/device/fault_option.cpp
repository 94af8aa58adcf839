#include "device/fault_option.h"

#include "device/fault_state.h"

namespace kassivo {

void ApplyFaultsOption(ProcessState& state) {
  if (state.Options.Faults.empty()) return;
  std::u16string error;
  SetFaults(state, state.Options.Faults, error);
}

}  // namespace kassivo
