// The card terminal's only decision.
//
// An operation is approved exactly when the absolute value of its amount is
// strictly below the threshold (whole roubles), compared as real numbers. An
// amount that is not a finite number (an infinity or NaN) is always declined,
// whatever the threshold.
#pragma once

#include <cmath>
#include <cstdint>

namespace kassivo {

inline bool ApprovesCardAmount(double amount, std::int32_t threshold) {
  if (!std::isfinite(amount)) return false;
  return std::fabs(amount) < static_cast<double>(threshold);
}

}  // namespace kassivo
