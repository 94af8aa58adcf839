// The driver value of a number a host passes in one of its wider kinds: an
// integer when it is whole and fits 32 signed bits, otherwise a real. Both
// bindings map their hosts' numbers through these.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

#include "common/value.h"

namespace kassivo {

inline Value NumberValue(double number) {
  if (std::isfinite(number) && number == std::trunc(number) &&
      number >= std::numeric_limits<std::int32_t>::min() &&
      number <= std::numeric_limits<std::int32_t>::max()) {
    return Value::Integer(static_cast<std::int32_t>(number));
  }
  return Value::Real(number);
}

inline Value WholeValue(std::int64_t number) {
  if (number >= std::numeric_limits<std::int32_t>::min() &&
      number <= std::numeric_limits<std::int32_t>::max()) {
    return Value::Integer(static_cast<std::int32_t>(number));
  }
  return Value::Real(static_cast<double>(number));
}

inline Value UnsignedValue(std::uint64_t number) {
  if (number <= static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) {
    return Value::Integer(static_cast<std::int32_t>(number));
  }
  return Value::Real(static_cast<double>(number));
}

}  // namespace kassivo
