// A process for the benchmarks: the test process (testing/test_process.h) on
// the host platform with a fixed seed, and a component object with device "1"
// and an open shift, its calls observed by the call journal. No benchmark
// shows a message.
#pragma once

#include <memory>

#include "testing/test_process.h"

namespace kassivo::bench {

// The host platform, seeded, with "." and "," as separators.
inline testing::TestProcessOptions BenchOptions() {
  return {.host_platform = true, .seed = 1};
}

// Its `journal` is present as in a host, writing only while the Journal
// option is set.
struct BenchProcess : testing::TestProcess {
  BenchProcess() : TestProcess(BenchOptions()) {
    state->Settings.WindowShowType = 2;
    component = NewComponent();
    ArgumentArray open({Value()});
    Value result;
    component->CallAsFunc(Method::kOpen, result, open);
    ArgumentArray shift({Value::Text(u"1"), Value::Text(u""), Value()});
    component->CallAsFunc(Method::kOpenShift, result, shift);
  }

  std::unique_ptr<DriverComponent> component;
};

}  // namespace kassivo::bench
