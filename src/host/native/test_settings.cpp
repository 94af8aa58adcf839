#include "host/native/test_settings.h"

#include <charconv>
#include <cstdlib>
#include <string_view>

#include "common/text.h"
#include "script/moment.h"

namespace kassivo::native {

namespace {

const char* Setting(const char* name) {
  return std::getenv(name);
}

// One character, or none for the empty text.
std::optional<std::u16string> Separator(const char* text, bool may_be_empty) {
  if (text == nullptr) return std::nullopt;
  std::u16string units = FromUtf8(text);
  if (units.empty() && may_be_empty) return units;
  if (units.size() != 1) return std::nullopt;
  return units;
}

}  // namespace

PlatformOptions TestSettingsFromEnvironment() {
  PlatformOptions options;
  if (const char* clock = Setting("KASSIVO_TEST_CLOCK")) options.fixed_clock = ParseClock(clock);
  if (const char* seed = Setting("KASSIVO_TEST_SEED")) {
    const std::string_view text(seed);
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc() && end == text.data() + text.size() && !text.empty()) {
      options.seed = value;
    }
  }
  if (const char* store = Setting("KASSIVO_TEST_STORE")) {
    options.memory_store = std::string_view(store) == "memory";
  }
  options.decimal_separator = Separator(Setting("KASSIVO_TEST_DECIMAL"), false);
  options.thousands_separator = Separator(Setting("KASSIVO_TEST_THOUSANDS"), true);
  return options;
}

}  // namespace kassivo::native
