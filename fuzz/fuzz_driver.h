// What the driver fuzz targets share: one process with an Init'ed component
// object, an open device "1" and an open shift, kept across the runs of a
// target as a host keeps the loaded driver; and the answer contract every
// call is checked against.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "common/value.h"
#include "host/component.h"

namespace kassivo::fuzz {

class FuzzDriver {
 public:
  // The shared driver, set up on first use.
  static FuzzDriver& Get();

  ProcessState& state() { return *state_; }
  DriverComponent& component() { return *component_; }

  // Calls `method` and aborts when the answer breaks the contract: S_OK for
  // a method number (S_FALSE for any other), an integer result for
  // GetInterfaceRevision and GetLastError and a boolean one for every other
  // method, a LastErrorText afterwards, and a device that still answers
  // GetLineLength.
  Value Call(std::int32_t method, ArgumentArray& args);
  Value Call(Method method, ArgumentArray& args) { return Call(Number(method), args); }

  // Calls ProcessCheck or ProcessCorrectionCheck, whose answer is
  // parameter `answer`, and aborts unless, beyond Call's contract, a formed
  // check takes the next number and answers, and a refused one takes no
  // number, leaves its message in LastErrorText and an empty answer.
  Value CallCheck(Method method, ArgumentArray& args, int answer);

 private:
  FuzzDriver();
  // Aborts unless device "1" still answers GetLineLength.
  void CheckDeviceAnswers();

  std::unique_ptr<ProcessState> state_;
  std::unique_ptr<DriverComponent> component_;
};

// The fuzzer's bytes as a host's text: UTF-8 decoded, invalid sequences
// replaced.
std::u16string TextOf(const std::uint8_t* data, std::size_t size);

}  // namespace kassivo::fuzz
