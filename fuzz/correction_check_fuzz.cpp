// ProcessCorrectionCheck with an arbitrary check package. The first byte
// picks the tape width.
#include "fuzz_driver.h"

using kassivo::ArgumentArray;
using kassivo::Method;
using kassivo::Value;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const auto [driver, options, xml] = kassivo::fuzz::ReadXmlCall(data, size);
  driver.state().Settings.Size = 20 + options % 50;
  ArgumentArray args({Value::Text(u"1"), xml, Value()});
  driver.CallCheck(Method::kProcessCorrectionCheck, args, 2);
  return 0;
}
