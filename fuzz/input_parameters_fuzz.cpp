// The shift methods (OpenShift first) with arbitrary InputParameters; the
// first byte picks the method and the tape width.
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
