// Options of the kassivo host's commands.
//
//   --tape=entries|box|none   how the tape is shown (default: box when stdout
//                             is a terminal, entries otherwise)
//   --store=PATH|memory       the registration store: a JSON file (on Windows
//                             a key under HKEY_CURRENT_USER), or an in-memory
//                             store (default: the user's store)
//   --clock=YYYY-MM-DDTHH:MM:SS.mmm   a fixed clock (a valid date and time)
//   --seed=N                  the random seed, 0..4294967295
//   --decimal=C               the decimal separator, one character
//   --thousands=C             the thousands separator, one character or none
//   --strict                  strict mode for this run (ApplyRunOptions)
//   --faults=FAULTS           the faults of this run, whatever the options
//                             store says (device/faults.h; a bad item is
//                             refused here, naming it)
//
// A malformed option throws UsageError naming it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "cli/tape_presenter.h"
#include "device/process_state.h"
#include "platform/host_platform.h"

namespace kassivo::cli {

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct HostOptions {
  std::optional<TapeMode> tape;
  bool memory_store = false;
  std::optional<std::string> store_path;
  std::optional<LocalDateTime> clock;
  std::optional<std::uint32_t> seed;
  std::optional<std::u16string> decimal_separator;
  std::optional<std::u16string> thousands_separator;
  bool strict = false;
  std::optional<std::u16string> faults;
};

// Applies one argument; false when it is not an option (does not start with
// "--" or is "--" itself).
bool ParseHostOption(std::string_view argument, HostOptions& options);

// What the options set in the driver process itself: --strict switches strict
// mode on for this run, whatever the options store says; --faults takes the
// Faults option's place. Then the process's faults are set from the option.
void ApplyRunOptions(const HostOptions& options, ProcessState& state);

PlatformOptions ToPlatformOptions(const HostOptions& options,
                                  std::unique_ptr<MessagePresenter> messages);

}  // namespace kassivo::cli
