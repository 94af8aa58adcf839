// A process for the benchmarks: the POSIX platform with a memory store, a
// fixed clock and seed, a component object with device "1" and an open
// shift, its calls observed by the call journal. Messages are dropped.
#pragma once

#include <memory>

#include "host/component.h"
#include "journal/call_journal.h"
#include "platform/posix/posix_platform.h"

namespace kassivo::bench {

class DroppedMessages : public MessagePresenter {
 public:
  void Show(std::u16string_view) override {}
};

struct BenchProcess {
  BenchProcess() {
    PosixPlatformOptions options;
    options.memory_store = true;
    options.fixed_clock = LocalDateTime{2024, 3, 5, 9, 7, 4, 56};
    options.seed = 1;
    options.decimal_separator = u".";
    options.thousands_separator = u",";
    options.messages = std::make_unique<DroppedMessages>();
    state = std::make_unique<ProcessState>(MakePosixPlatform(std::move(options)));
    state->Settings.WindowShowType = 2;
    journal = std::make_unique<JournalObserver>(*state);
    component = std::make_unique<DriverComponent>(*state, journal.get());
    component->Init();
    ArgumentArray open({Value()});
    Value result;
    component->CallAsFunc(Method::kOpen, result, open);
    ArgumentArray shift({Value::Text(u"1"), Value::Text(u""), Value()});
    component->CallAsFunc(Method::kOpenShift, result, shift);
  }

  std::unique_ptr<ProcessState> state;
  // Present as in a host, writing only while the Journal option is set.
  std::unique_ptr<JournalObserver> journal;
  std::unique_ptr<DriverComponent> component;
};

}  // namespace kassivo::bench
