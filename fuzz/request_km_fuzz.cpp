// RequestKM with an arbitrary request; the first byte adds
// GetProcessingKMResult and ConfirmKM after it.
#include "fuzz_driver.h"

using kassivo::ArgumentArray;
using kassivo::Method;
using kassivo::Value;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const auto [driver, options, xml] = kassivo::fuzz::ReadXmlCall(data, size);
  ArgumentArray args({Value::Text(u"1"), xml, Value()});
  driver.Call(Method::kRequestKM, args);
  if (options & 1) {
    ArgumentArray result({Value::Text(u"1"), Value(), Value()});
    driver.Call(Method::kGetProcessingKMResult, result);
  }
  if (options & 2) {
    ArgumentArray confirm({Value::Text(u"1"),
                           driver.state().LastKMRequestGUID.empty()
                               ? Value::Text(u"")
                               : Value::Text(driver.state().LastKMRequestGUID),
                           Value::Integer(options >> 2 & 1)});
    driver.Call(Method::kConfirmKM, confirm);
  }
  return 0;
}
