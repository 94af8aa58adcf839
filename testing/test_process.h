// The process the tests, the benchmarks and the fuzz targets run the driver
// in: a ProcessState on a fixed clock (at kTestMoment until set), fixed
// random numbers, an in-memory registration store and a message recorder,
// with the call journal its component objects report to. A fresh TestProcess
// is a fresh "process"; the typed pointers to its services stay valid while
// it lives, unless a test puts another service in the platform.
//
// The options say what differs between its users. By default the platform is
// bare, as the unit tests want it: the system's XML parser and upper-caser,
// and no options store, environment or journal files. With host_platform
// (the benchmarks, the fuzz targets, the session runner's tests) it is the
// one MakeHostPlatform makes on an in-memory store: its options store in
// memory, the process's environment, the system's journal files; the
// fixture's store, clock, generator and recorder take the place of its own.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "device/process_state.h"
#include "host/component.h"
#include "journal/call_journal.h"
#include "platform/fixed_clock.h"
#include "platform/memory_store.h"
#include "platform/message_recorder.h"

namespace kassivo::testing {

// The moment a test process's clock answers until set: 2024-03-05 09:07:04.056.
inline constexpr LocalDateTime kTestMoment{2024, 3, 5, 9, 7, 4, 56};

// Answers `values` in turn, over and over.
class SequenceRandom : public Random {
 public:
  std::vector<int> values{123};
  std::size_t next = 0;
  int Next() override { return values[next++ % values.size()]; }
};

struct TestProcessOptions {
  bool host_platform = false;
  // A seeded generator (platform/seeded_random.h); none: a SequenceRandom.
  std::optional<std::uint32_t> seed{};
  NumberFormat number_format{};  // "." and ","
};

struct TestProcess {
  explicit TestProcess(TestProcessOptions options = {});

  MemoryStore* store = nullptr;
  FixedClock* clock = nullptr;
  SequenceRandom* random = nullptr;  // null when seeded
  MessageRecorder* messages = nullptr;
  std::unique_ptr<ProcessState> state;
  // The call journal every component object of the process reports to.
  std::unique_ptr<JournalObserver> journal;

  // A component object, Init'ed.
  std::unique_ptr<DriverComponent> NewComponent();
};

}  // namespace kassivo::testing
