// ProcessCheck with an arbitrary check package. The first byte picks the
// tape width, whether the tape is shown and the "electronically" flag.
#include "fuzz_driver.h"

using kassivo::ArgumentArray;
using kassivo::Method;
using kassivo::Value;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const auto [driver, options, xml] = kassivo::fuzz::ReadXmlCall(data, size);
  driver.state().Settings.Size = 20 + options % 50;
  driver.state().Settings.WindowShowType = options & 0x40 ? 0 : 2;
  ArgumentArray args({Value::Text(u"1"), Value::Boolean(options & 0x80), xml, Value()});
  driver.CallCheck(Method::kProcessCheck, args, 3);
  return 0;
}
