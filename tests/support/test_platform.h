// The test process (testing/test_process.h) and the calls the unit tests
// make on it, their answers checked with GoogleTest.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "testing/test_process.h"

namespace kassivo::testing {

// Calls method `name` on `component` with the given arguments; returns the
// result value and leaves the written arguments in `args`.
Value Call(DriverComponent& component, std::u16string_view name, ArgumentArray& args);

// A text value.
inline Value T(std::u16string_view text) {
  return Value::Text(std::u16string(text));
}

// What GetLastError answers ("<empty>" for no text at all).
std::u16string LastError(DriverComponent& component);

// Convenience: opens a device and returns its ID.
std::u16string OpenDevice(DriverComponent& component);

// The lines of a CR-separated answer text.
std::vector<std::u16string> SplitAtCr(const std::u16string& text);

// The tape's entry texts, in order.
std::vector<std::u16string> TapeTexts(const ProcessState& state);

}  // namespace kassivo::testing
