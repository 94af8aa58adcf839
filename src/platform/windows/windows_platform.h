// The Windows platform: the services the driver core needs, on Windows.
//
//  - registration store: the registry key Software\Orvelle\Kassivo (or the
//    key path given) under HKEY_CURRENT_USER, or an in-memory store;
//  - options store: the key Options under the registration key (or an
//    in-memory store beside an in-memory registration store);
//  - environment: GetEnvironmentVariableW;
//  - XML: MSXML; upper case: LCMapStringEx;
//  - clock: GetLocalTime, or a fixed moment;
//  - random: 0..999, seeded once (from the clock unless a seed is given);
//  - number format: the user's regional settings, or explicit separators;
//  - messages: the given presenter, else a modal MessageBoxW.
#pragma once

#include "platform/host_platform.h"

namespace kassivo {

Platform MakeWindowsPlatform(PlatformOptions options);

}  // namespace kassivo
