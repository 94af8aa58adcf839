// The driver options in their per-user store, with the environment over them.
//
// The store holds one value per option under its key, named and typed as the
// option's row says (driver_option_table.h): Strict, a DWORD 0 or 1, and
// Journal, a text (the empty text: no journal). A missing or unreadable
// store, a missing value, or a value the row does not accept leaves that
// option at its default.
//
// ReadDriverOptions: the store's values, then the environment's, which
// override them for this process: KASSIVO_STRICT "1" or "0", KASSIVO_JOURNAL
// a path, or "off", "0" or empty (no journal). A KASSIVO_STRICT the row does
// not accept, the empty one too, is ignored: the store's value stays. Each option's origin
// says which of default, store and environment gave it.
//
// SaveDriverOption writes the value `options` holds for one option (what
// else the store holds stays) and commits; not saved when the store is
// missing or cannot be written, with the step that failed. It changes no
// DriverOptions record: SetDriverOption (set_driver_option.h) changes one
// and saves it. SaveStrict and SaveJournal save a value of their option.
#pragma once

#include <string>
#include <string_view>

#include "device/driver_option_table.h"
#include "device/driver_options.h"
#include "device/process_state.h"
#include "platform/platform.h"

namespace kassivo {

// Whether an option reached the store; when not, why (the step that failed).
struct OptionSave {
  bool saved = false;
  std::string_view reason;
};

// `store` and `environment` may be null or empty: nothing comes from them.
DriverOptions ReadDriverOptions(RegistrationStore* store, const EnvironmentReader& environment);

// A library's process at its start: the options of its platform's store and
// environment, then the faults they name (ApplyFaultsOption).
void LoadDriverOptions(ProcessState& state);

OptionSave SaveDriverOption(RegistrationStore* store, const DriverOptionRow& row,
                            const DriverOptions& options);
bool SaveStrict(RegistrationStore* store, bool strict);
bool SaveJournal(RegistrationStore* store, const std::u16string& journal);

// "default", "store", "environment", "changed".
std::string_view OriginName(OptionOrigin origin);

}  // namespace kassivo
