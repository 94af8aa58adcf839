// The driver options in their per-user store, with the environment over them.
//
// The store holds two values under its key: Strict, a DWORD 0 or 1, and
// Journal, a text (the empty text: no journal). A missing or unreadable
// store, a missing value, or a value of another type (or a Strict other than
// 0 and 1) leaves that option at its default.
//
// ReadDriverOptions: the store's values, then the environment's, which
// override them for this process: KASSIVO_STRICT "1" or "0", KASSIVO_JOURNAL
// a path or "off" (no journal). Any other KASSIVO_STRICT, and an empty
// variable, is ignored: the store's value stays. Each option's origin says
// which of default, store and environment gave it.
//
// SaveStrict and SaveJournal write that one value (what else the store holds
// stays) and commit; false when the store is missing or cannot be written.
// They change no DriverOptions record: the caller does, as it decides.
#pragma once

#include <string>
#include <string_view>

#include "device/driver_options.h"
#include "platform/platform.h"

namespace kassivo {

inline constexpr const char* kStrictVariable = "KASSIVO_STRICT";
inline constexpr const char* kJournalVariable = "KASSIVO_JOURNAL";

// `store` and `environment` may be null or empty: nothing comes from them.
DriverOptions ReadDriverOptions(RegistrationStore* store, const EnvironmentReader& environment);

bool SaveStrict(RegistrationStore* store, bool strict);
bool SaveJournal(RegistrationStore* store, const std::u16string& journal);

// "default", "store", "environment", "changed".
std::string_view OriginName(OptionOrigin origin);

}  // namespace kassivo
