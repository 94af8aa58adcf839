// OperationFN with arbitrary fiscal parameters and an operation type from
// the first byte, then GetDataKKT over whatever registration it left.
#include "fuzz_driver.h"

using kassivo::ArgumentArray;
using kassivo::Method;
using kassivo::Value;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const auto [driver, options, xml] = kassivo::fuzz::ReadXmlCall(data, size);
  ArgumentArray args({Value::Text(u"1"), Value::Integer(options % 5), xml});
  driver.Call(Method::kOperationFN, args);
  // The registration just read must answer as well-formed as before.
  ArgumentArray data_kkt({Value::Text(u"1"), Value()});
  driver.Call(Method::kGetDataKKT, data_kkt);
  return 0;
}
