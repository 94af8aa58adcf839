// The POSIX platform: the services the driver core needs, on Linux.
//
//  - registration store: one JSON file per user for the one key, replaced
//    atomically on save (temp file, fsync, rename); a corrupt or unreadable
//    file counts as a missing key and is kept aside with a ".corrupt" suffix
//    before the next save; or an in-memory store;
//  - options store: options.json in the registration file's folder, kept the
//    same way; with an in-memory registration store, an in-memory one;
//  - environment: getenv, the bytes taken as UTF-8;
//  - XML: pugixml; upper case: ICU;
//  - clock: the system's local time, or a fixed moment;
//  - random: 0..999, seeded once (from the clock unless a seed is given);
//  - number format: the user's locale (LC_ALL, LC_NUMERIC, LANG, read without
//    calling setlocale on the host's behalf), or explicit separators;
//  - messages: the given presenter, else printed to stderr (never blocks).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/host_platform.h"
#include "platform/platform.h"

namespace kassivo {

using PosixPlatformOptions = PlatformOptions;

Platform MakePosixPlatform(PosixPlatformOptions options);

// $KASSIVO_STORE when set; else $XDG_CONFIG_HOME/kassivo/registration.json;
// else $HOME/.config/kassivo/registration.json.
std::string DefaultStorePath();

// The options file beside the registration file `registration_path`.
std::string OptionsStorePath(const std::string& registration_path);

}  // namespace kassivo
