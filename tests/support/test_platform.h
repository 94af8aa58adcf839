// A platform for tests: in-memory store, fixed clock, fixed-seed random,
// recorded messages, ICU upper-casing and the pugixml parser. A fresh
// TestProcess is a fresh "process".
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "device/process_state.h"
#include "host/component.h"
#include "journal/call_journal.h"
#include "platform/memory_store.h"

namespace kassivo::testing {

class FixedClock : public Clock {
 public:
  LocalDateTime now{2024, 3, 5, 9, 7, 4, 56};
  LocalDateTime Now() override { return now; }
};

class SequenceRandom : public Random {
 public:
  std::vector<int> values{123};
  std::size_t next = 0;
  int Next() override { return values[next++ % values.size()]; }
};

class RecordingMessages : public MessagePresenter {
 public:
  std::vector<std::u16string> shown;
  void Show(std::u16string_view text) override { shown.emplace_back(text); }
};

// Owns a ProcessState built on test doubles and keeps typed pointers to them.
struct TestProcess {
  TestProcess();

  MemoryStore* store = nullptr;
  FixedClock* clock = nullptr;
  SequenceRandom* random = nullptr;
  RecordingMessages* messages = nullptr;
  std::unique_ptr<ProcessState> state;
  // The call journal every component object of the process reports to.
  std::unique_ptr<JournalObserver> journal;

  // A component object, Init'ed.
  std::unique_ptr<DriverComponent> NewComponent();
};

// Calls method `name` on `component` with the given arguments; returns the
// result value and leaves the written arguments in `args`.
Value Call(DriverComponent& component, std::u16string_view name, ArgumentArray& args);

// Convenience: opens a device and returns its ID.
std::u16string OpenDevice(DriverComponent& component);

// The lines of a CR-separated answer text.
std::vector<std::u16string> SplitAtCr(const std::u16string& text);

// The tape's entry texts, in order.
std::vector<std::u16string> TapeTexts(const ProcessState& state);

}  // namespace kassivo::testing
