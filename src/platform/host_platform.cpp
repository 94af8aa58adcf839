#include "platform/host_platform.h"

#include "platform/fixed_clock.h"
#include "platform/seeded_random.h"
#include "platform/system_clock.h"

namespace kassivo {

void AddCommonServices(PlatformOptions& options, Platform& platform,
                       std::unique_ptr<MessagePresenter> system_messages,
                       NumberFormat (*user_number_format)()) {
  if (options.fixed_clock) {
    platform.clock = std::make_unique<FixedClock>(*options.fixed_clock);
  } else {
    platform.clock = std::make_unique<SystemClock>();
  }
  platform.random = std::make_unique<SeededRandom>(options.seed.value_or(SeedFromClock()));
  platform.messages = options.messages ? std::move(options.messages) : std::move(system_messages);
  if (!options.decimal_separator || !options.thousands_separator) {
    platform.number_format = user_number_format();
  }
  if (options.decimal_separator) {
    platform.number_format.decimal_separator = *options.decimal_separator;
  }
  if (options.thousands_separator) {
    platform.number_format.thousands_separator = *options.thousands_separator;
  }
}

}  // namespace kassivo
