// The driver's own options, beyond what the host sets through SetParameter:
// one process-wide record, read once when the library is loaded (from the
// per-user options store, then the environment) and changed while running
// from the receipt window's menu or from kassivo. With every option at its
// default the driver answers, prints and stores exactly as without them.
#pragma once

#include <string>

namespace kassivo {

// Where an option's value came from: its default, the options store, the
// environment, or a change made while the process runs.
enum class OptionOrigin { kDefault, kStore, kEnvironment, kChanged };

struct DriverOptions {
  // Refuse what a real register refuses, with the reason (src/rules/).
  bool Strict = false;
  // The call journal's file; empty: no journal.
  std::u16string Journal;
  // The faults a process begins with (device/faults.h); empty: none.
  std::u16string Faults;
  // GetAdditionalActions offers actions that set faults, and
  // DoAdditionalAction takes any "Fault:FAULTS".
  bool FaultActions = false;

  struct Origins {
    OptionOrigin Strict = OptionOrigin::kDefault;
    OptionOrigin Journal = OptionOrigin::kDefault;
    OptionOrigin Faults = OptionOrigin::kDefault;
    OptionOrigin FaultActions = OptionOrigin::kDefault;
  };
  Origins Origin;
};

}  // namespace kassivo
