// ProcessCorrectionCheck with an arbitrary check package. The first byte
// picks the tape width.
#include <cstddef>
#include <cstdint>

#include "fuzz_driver.h"

using kassivo::ArgumentArray;
using kassivo::Method;
using kassivo::Value;
using kassivo::fuzz::FuzzDriver;
using kassivo::fuzz::TextOf;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  FuzzDriver& driver = FuzzDriver::Get();
  const std::uint8_t options = data[0];
  const Value xml = Value::Text(TextOf(data + 1, size - 1));
  driver.state().Settings.Size = 20 + options % 50;
  ArgumentArray args({Value::Text(u"1"), xml, Value()});
  driver.CallCheck(Method::kProcessCorrectionCheck, args, 2);
  return 0;
}
