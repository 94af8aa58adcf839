#include "testing/test_process.h"

#include <utility>

#include "platform/host_platform.h"
#include "platform/seeded_random.h"

namespace kassivo::testing {

namespace {

// A service made for the platform, `typed` left pointing at it.
template <typename Service, typename... Arguments>
std::unique_ptr<Service> Keep(Service*& typed, Arguments&&... arguments) {
  auto made = std::make_unique<Service>(std::forward<Arguments>(arguments)...);
  typed = made.get();
  return made;
}

// The platform a host makes on an in-memory store. Its store, clock,
// generator and presenter give way to the fixture's.
Platform HostPlatform(const NumberFormat& format) {
  PlatformOptions host;
  host.memory_store = true;
  host.fixed_clock = kTestMoment;
  host.seed = 0;
  host.decimal_separator = format.decimal_separator;
  host.thousands_separator = format.thousands_separator;
  return MakeHostPlatform(std::move(host));
}

Platform BarePlatform(const NumberFormat& format) {
  Platform platform;
  platform.xml = MakeHostXmlParser();
  platform.upper = MakeHostUpperCaser();
  platform.number_format = format;
  return platform;
}

}  // namespace

TestProcess::TestProcess(TestProcessOptions options) {
  Platform platform = options.host_platform ? HostPlatform(options.number_format)
                                            : BarePlatform(options.number_format);
  platform.store = Keep(store);
  platform.clock = Keep(clock, kTestMoment);
  platform.messages = Keep(messages);
  if (options.seed) {
    platform.random = std::make_unique<SeededRandom>(*options.seed);
  } else {
    platform.random = Keep(random);
  }
  state = std::make_unique<ProcessState>(std::move(platform));
  journal = std::make_unique<JournalObserver>(*state);
}

std::unique_ptr<DriverComponent> TestProcess::NewComponent() {
  auto component = std::make_unique<DriverComponent>(*state, journal.get());
  component->Init();
  return component;
}

}  // namespace kassivo::testing
