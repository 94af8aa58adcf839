// ProcessCorrectionCheck in strict mode with an arbitrary check package, on
// a register with an open shift and cash in the drawer. The first byte picks
// the tape width. A refused check answers false with its message, takes no
// number and leaves the drawer as it was (strict_fuzz.h).
#include <cstddef>
#include <cstdint>

#include "strict_fuzz.h"

using kassivo::ArgumentArray;
using kassivo::Method;
using kassivo::Value;
using kassivo::fuzz::CallStrict;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const kassivo::fuzz::XmlCall call = kassivo::fuzz::ReadStrictXmlCall(data, size);
  kassivo::fuzz::FuzzDriver& driver = call.driver;
  const std::uint8_t options = call.options;
  const Value& xml = call.xml;
  driver.state().Settings.Size = 20 + options % 50;
  ArgumentArray args({Value::Text(u"1"), xml, Value()});
  CallStrict(driver, [&] { return driver.CallCheck(Method::kProcessCorrectionCheck, args, 2); });
  return 0;
}
