// Changing one driver option while the process runs, and keeping the change.
//
// SetDriverOption sets the option at `member` of `options` to `value`, marks
// its origin kChanged, and saves it to the options store (SaveDriverOption in
// options_store.h), answering whether the save succeeded and, when not, why.
// The record changes whether or not the save succeeds: unsaved, the change
// holds for this process only. The caller holds whatever lock guards
// `options` (state.call_lock for the process's own record).
//
// Every change made from outside the driver goes through here: the receipt
// window's menu and kassivo options.
#pragma once

#include <string>

#include "device/driver_options.h"
#include "device/options_store.h"
#include "platform/platform.h"

namespace kassivo {

OptionSave SetDriverOption(DriverOptions& options, bool DriverOptions::*member, bool value,
                           RegistrationStore* store);
OptionSave SetDriverOption(DriverOptions& options, std::u16string DriverOptions::*member,
                           std::u16string value, RegistrationStore* store);

}  // namespace kassivo
