#include "host/native/test_settings.h"

#include <cstdlib>
#include <string>

#include "cli/options.h"

namespace kassivo::native {

namespace {

// Each setting read as the kassivo host reads its option of the same value.
constexpr struct {
  const char* variable;
  const char* option;
} kSettings[] = {
    {"KASSIVO_TEST_CLOCK", "--clock="},         {"KASSIVO_TEST_SEED", "--seed="},
    {"KASSIVO_TEST_STORE", "--store="},         {"KASSIVO_TEST_DECIMAL", "--decimal="},
    {"KASSIVO_TEST_THOUSANDS", "--thousands="},
};

}  // namespace

PlatformOptions TestSettingsFromEnvironment() {
  cli::HostOptions options;
  for (const auto& setting : kSettings) {
    const char* value = std::getenv(setting.variable);
    if (value == nullptr) continue;
    try {
      cli::ParseHostOption(std::string(setting.option) + value, options);
    } catch (const cli::UsageError&) {
      // Ignored: the system's own is used.
    }
  }
  return cli::ToPlatformOptions(options, nullptr);
}

}  // namespace kassivo::native
