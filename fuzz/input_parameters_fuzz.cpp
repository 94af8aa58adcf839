// The shift methods (OpenShift first) with arbitrary InputParameters; the
// first byte picks the method and the tape width.
#include "fuzz_driver.h"

using kassivo::ArgumentArray;
using kassivo::Method;
using kassivo::Value;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const auto [driver, options, xml] = kassivo::fuzz::ReadXmlCall(data, size);
  // OpenShift, CloseShift, GetCurrentStatus, ReportCurrentStatusOfSettlements
  // and PrintXReport all read the same InputParameters.
  static constexpr Method kMethods[] = {
      Method::kOpenShift, Method::kCloseShift, Method::kGetCurrentStatus,
      Method::kReportCurrentStatusOfSettlements, Method::kPrintXReport};
  const Method method = kMethods[options % 5];
  driver.state().Settings.Size = 20 + (options >> 3) % 30;
  ArgumentArray args({Value::Text(u"1"), xml, Value()});
  driver.Call(method, args);
  return 0;
}
