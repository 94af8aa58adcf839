#include "device/fault_state.h"

namespace kassivo {

bool SetFaults(ProcessState& state, std::u16string_view spec, std::u16string& error) {
  const LocalDateTime now = state.platform().clock->Now();
  FaultActions actions;
  if (!ApplyFaultSpec(spec, now, state.Faults, actions, error)) return false;
  if (actions.ofd_age_days) {
    const LocalDateTime then = AddDays(now, -*actions.ofd_age_days);
    if (!state.OfdQueue.empty()) {
      state.OfdQueue.front().at = then;
    } else if (state.Counters.CheckNumber > 0) {
      // The last document is the one the OFD has not had since.
      state.OfdQueue.push_back({state.Counters.CheckNumber, then});
    }
  }
  if (actions.shift_back_24h && state.Counters.ShiftOpen) {
    state.Counters.ShiftOpenedAt = AddDays(state.Counters.ShiftOpenedAt.value_or(now), -1);
  }
  state.FaultChanges.emplace_back(spec);
  return true;
}

}  // namespace kassivo
