// What the driver fuzz targets share: the test process on the host platform
// (testing/test_process.h) with an Init'ed component object, an open device
// "1" and an open shift, kept across the runs of a target as a host keeps the
// loaded driver; the answer contract every call is checked against; and the
// opening of the targets that call a method with an XML text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "common/value.h"
#include "host/component.h"
#include "testing/test_process.h"

namespace kassivo::fuzz {

// The host platform, seeded, with the separators of a Russian locale.
inline testing::TestProcessOptions FuzzOptions() {
  return {.host_platform = true, .seed = 1, .number_format = {u",", u"\u00A0"}};
}

class FuzzDriver {
 public:
  // The shared driver, set up on first use. The messages shown before are
  // dropped, so they do not pile up over a fuzzer's millions of runs.
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

  testing::TestProcess process_{FuzzOptions()};
  ProcessState* state_ = process_.state.get();  // the process's, as the checks read it
  // Not observed by the process's journal, so that a journal the environment
  // names is not written at the fuzzer's pace.
  std::unique_ptr<DriverComponent> component_;
};

// What a target that calls a method with an XML text reads from a non-empty
// input: the shared driver, the first byte (the target's options) and the
// rest, UTF-8 decoded with invalid sequences replaced, as the text.
struct XmlCall {
  FuzzDriver& driver;
  std::uint8_t options;
  Value xml;
};
XmlCall ReadXmlCall(const std::uint8_t* data, std::size_t size);

}  // namespace kassivo::fuzz
