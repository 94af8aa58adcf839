#include "device/fault_state.h"

namespace kassivo {

bool SetFaults(ProcessState& state, std::u16string_view spec, std::u16string& error) {
  const LocalDateTime now = state.platform().clock->Now();
  FaultActions actions;
  if (!ApplyFaultSpec(spec, now, state.Faults, actions, error)) return false;
  if (actions.ofd_age_days && !state.Registration.IsOffline) {
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
  RefreshFaultGate(state);
  return true;
}

void RefreshFaultGate(ProcessState& state) {
  state.FaultsSet =
      state.Faults.Any() || !state.OfdQueue.empty() || !state.Receipt.status().empty();
}

void QueueForOfd(ProcessState& state, std::int32_t number) {
  if (state.Faults.ofd != OfdState::kOffline || state.Registration.IsOffline) return;
  state.OfdQueue.push_back({number, state.platform().clock->Now()});
}

std::optional<std::int32_t> FnDaysLeft(ProcessState& state) {
  if (!state.Faults.fn_expires) return std::nullopt;
  return DaysUntil(state.platform().clock->Now(), *state.Faults.fn_expires);
}

StorageStatus StorageStatusOf(ProcessState& state) {
  StorageStatus status;
  if (!state.FaultsSet && !state.Faults.ofd_tracked) return status;
  const FaultSet& faults = state.Faults;
  const std::optional<std::int32_t> days = FnDaysLeft(state);
  status.fn_fail = days && *days <= kFnKeysWarningDays;
  status.fn_error = faults.fn == FnState::kBroken || (days && *days <= kFnKeysUrgentDays);
  status.fn_overflow = faults.archive != ArchiveState::kRoom;
  if (faults.ofd_tracked) {
    StorageStatus::Backlog& backlog = status.backlog.emplace();
    backlog.count = static_cast<std::int32_t>(state.OfdQueue.size());
    if (!state.OfdQueue.empty()) {
      backlog.first_number = state.OfdQueue.front().number;
      backlog.first_at = state.OfdQueue.front().at;
    }
  }
  return status;
}

}  // namespace kassivo
