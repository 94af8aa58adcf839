// The platform of the system the driver runs on, chosen at build time: the
// POSIX services on Linux (platform/posix/), the Windows services on Windows
// (platform/windows/). The command-line host, the tests and the benchmarks
// ask for it through these functions, so the same code builds on both.
//
// PlatformOptions fixes what a reproducible session needs fixed; what is not
// fixed comes from the system (the user's store, the clock, the regional
// number settings, a seed from the clock).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/platform.h"

namespace kassivo {

struct PlatformOptions {
  // The registration store: on POSIX a JSON file path, on Windows a key path
  // under HKEY_CURRENT_USER; nullopt: the user's default store.
  std::optional<std::string> store_path;
  bool memory_store = false;  // an in-memory store instead
  std::optional<LocalDateTime> fixed_clock;
  std::optional<std::uint32_t> seed;
  std::optional<std::u16string> decimal_separator;
  std::optional<std::u16string> thousands_separator;
  std::unique_ptr<MessagePresenter> messages;  // null: the system's own
};

Platform MakeHostPlatform(PlatformOptions options);

// The system's XML parser and upper-caser, for code that needs one service.
std::unique_ptr<XmlParser> MakeHostXmlParser();
std::unique_ptr<UpperCaser> MakeHostUpperCaser();

// A seed for the pseudo-random generator, from the clocks and the process.
std::uint32_t SeedFromClock();

// For the systems' own MakeHostPlatform: the services every system makes the
// same way from the options, the clock (fixed, or the system's), the random
// generator (seeded as given, or from the clock), the messages (the given
// presenter, or the system's) and the number format (explicit separators
// over the user's own).
void AddCommonServices(PlatformOptions& options, Platform& platform,
                       std::unique_ptr<MessagePresenter> system_messages,
                       NumberFormat (*user_number_format)());

}  // namespace kassivo
