// Exact decimal numbers: the money and quantities the strict-mode rules and
// the cash drawer compute with, read from the digits the host wrote.
//
// An ExactDecimal is a sign, a magnitude and a scale: its value is
// ±magnitude x 10^-scale, the magnitude an unsigned 128-bit integer held as
// two 64-bit halves (so a 32-bit build computes exactly as a 64-bit one), the
// scale 0 to 36. Nothing is ever rounded behind the caller's back.
//
// Contract:
//  - a value read from a text (ParseExactDecimal, number_format.h) or from a
//    double (FromDouble) has a magnitude below 2^64 and at most 18 decimals
//    once trailing zeros are dropped; a text with more is not read. So the
//    product of two read values is always exact, and sums of read values
//    stay exact far beyond the fiscal format's 2^48 - 1 kopecks;
//  - FromDouble(v, d) takes the shortest decimal text that gives the double
//    back (0.1 is 0.1, 6e9 is 6000000000, 0.005 is 0.005) and rounds it,
//    halves away from zero, to d decimals (0 to 18): 0.005 to 2 is 0.01;
//    none for NaN, infinities and values beyond the reach above;
//  - Add, Subtract and Multiply answer the exact result, none when it does
//    not fit (a magnitude of 2^128 or more, a scale above 36);
//  - RoundedTo(d) rounds halves away from zero to d decimals (0 to 36);
//    none when the result does not fit;
//  - Share(n, d, k) is the value x n / d rounded as RoundedTo(k); none when
//    d is 0 or the result does not fit;
//  - NearestDouble is the double nearest the value, when the magnitude is at
//    most 2^53 and the value not zero (so the value is one correctly
//    rounded division of two exact doubles), where doubles are computed
//    without excess precision; none otherwise;
//  - Compare is exact for any two values, whatever their scales;
//  - zero has no sign: -0 equals 0, and formats without a "-";
//  - Format writes the integer digits grouped by three with the format's
//    thousands separator, then the format's decimal separator and at least
//    `min_decimals` decimals, more when the value has more non-zero ones
//    (149.85 with 2 is "149.85", 1.005 is "1.005", 90 is "90.00"; with 0 and
//    no thousands separator 90 is "90" and 450.5 is "450.5").
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/number_format.h"

namespace kassivo {

class ExactDecimal {
 public:
  static constexpr int kMaxScale = 36;
  static constexpr int kMaxReadScale = 18;

  ExactDecimal() = default;  // zero
  // ±magnitude x 10^-scale; `scale` 0 to kMaxScale.
  static ExactDecimal FromUnits(bool negative, std::uint64_t magnitude, int scale);
  static std::optional<ExactDecimal> FromDouble(double value, int decimals);

  bool IsZero() const { return high_ == 0 && low_ == 0; }
  // The magnitude, when it is below 2^64 (for a caller's own fast path).
  std::optional<std::uint64_t> Magnitude64() const {
    if (high_ != 0) return std::nullopt;
    return low_;
  }
  bool IsNegative() const { return negative_; }
  int scale() const { return scale_; }
  ExactDecimal Negated() const;

  friend std::optional<ExactDecimal> Add(const ExactDecimal& a, const ExactDecimal& b);
  friend std::optional<ExactDecimal> Subtract(const ExactDecimal& a, const ExactDecimal& b);
  friend std::optional<ExactDecimal> Multiply(const ExactDecimal& a, const ExactDecimal& b);
  std::optional<ExactDecimal> RoundedTo(int decimals) const;
  std::optional<ExactDecimal> Share(std::uint32_t numerator, std::uint32_t denominator,
                                    int decimals) const;

  friend std::strong_ordering Compare(const ExactDecimal& a, const ExactDecimal& b);
  friend bool operator==(const ExactDecimal& a, const ExactDecimal& b) {
    return Compare(a, b) == 0;
  }
  friend std::strong_ordering operator<=>(const ExactDecimal& a, const ExactDecimal& b) {
    return Compare(a, b);
  }

  std::u16string Format(int min_decimals, const NumberFormat& format) const;
  std::optional<double> NearestDouble() const;

 private:
  bool negative_ = false;
  std::uint64_t high_ = 0;
  std::uint64_t low_ = 0;
  int scale_ = 0;

  friend class ExactDecimalArithmetic;
};

// The absolute difference of `a` and `b` is at most `tolerance`.
// Computed exactly; a difference that does not fit (a magnitude of 2^128 or
// more at the larger of the two scales) is beyond any tolerance.
bool WithinTolerance(const ExactDecimal& a, const ExactDecimal& b, const ExactDecimal& tolerance);

// A number text read as the check reader reads attribute values: the strict
// grammar of ParseStrictNumber, the full stop also standing for the format's
// decimal separator. None when the text does not follow the grammar or its
// value cannot be read exactly (see above).
std::optional<ExactDecimal> ParseExactDecimal(std::u16string_view text, const NumberFormat& format);

}  // namespace kassivo
