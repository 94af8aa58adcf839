// What the strict-mode twins of the driver fuzz targets share: the shared
// driver (FuzzDriver) with strict mode switched on after its shift is open
// and 10,000.00 put in the drawer, and the contract of a strict call beyond
// FuzzDriver's: a call that answers false (a refusal among them) has taken
// no number and left the drawer as it was, and the drawer never goes below
// 0.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "common/exact_decimal.h"
#include "fuzz_driver.h"

namespace kassivo::fuzz {

inline FuzzDriver& StrictDriver() {
  static FuzzDriver& driver = []() -> FuzzDriver& {
    FuzzDriver& shared = FuzzDriver::Get();
    shared.state().Options.Strict = true;
    ArgumentArray deposit({Value::Text(u"1"), Value::Text(u""), Value::Real(10000)});
    if (shared.Call(Method::kCashInOutcome, deposit) != Value::Boolean(true)) std::abort();
    return shared;
  }();
  return driver;
}

// ReadXmlCall on the strict driver.
inline XmlCall ReadStrictXmlCall(const std::uint8_t* data, std::size_t size) {
  StrictDriver();
  return ReadXmlCall(data, size);
}

// Calls `call` (which answers the call's result) and aborts unless the
// strict contract holds.
template <typename Call>
Value CallStrict(FuzzDriver& driver, Call&& call) {
  const ProcessState& state = driver.state();
  const std::int32_t number = state.Counters.CheckNumber;
  const ExactDecimal drawer = state.DrawerCash;
  const Value result = call();
  if (result == Value::Boolean(false) &&
      (state.Counters.CheckNumber != number || state.DrawerCash != drawer)) {
    std::abort();
  }
  if (state.DrawerCash.IsNegative()) std::abort();
  return result;
}

}  // namespace kassivo::fuzz
