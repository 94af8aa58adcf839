// The number readers of number_format.h: one grammar for the strict XML
// form and for argument conversion, read exactly where the digits allow.
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <system_error>

#include "common/exact_decimal.h"
#include "common/number_format.h"

namespace kassivo {

namespace {

// The powers of ten a double holds exactly.
constexpr double kDoublePowers10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                      1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                      1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

bool IsDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

// The most significant digits kept as an integer: 10^16 - 1 < 2^63.
constexpr std::size_t kMaxSignificant = 16;

// The pieces of a number text, read by the shared grammar below.
struct NumberParts {
  bool negative = false;
  std::u16string_view integer_digits;
  std::u16string_view fraction_digits;
  std::int64_t exponent = 0;  // saturated far beyond any double's range
  // The digits from the first non-zero one as an integer, while there are at
  // most kMaxSignificant of them.
  std::uint64_t significand = 0;
  std::size_t significant = 0;
};

// Reads the run of digits at `i` into `parts`; returns the end of the run.
std::size_t ReadDigits(std::u16string_view text, std::size_t i, NumberParts& parts) {
  std::uint64_t significand = parts.significand;
  std::size_t significant = parts.significant;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    const auto digit = static_cast<std::uint64_t>(text[i] - u'0');
    if (significant == 0 && digit == 0) continue;
    if (++significant <= kMaxSignificant) significand = significand * 10 + digit;
  }
  parts.significand = significand;
  parts.significant = significant;
  return i;
}

// Whether `text` at `i` starts with `separator`, a non-empty text.
bool SeparatorAt(std::u16string_view text, std::size_t i, std::u16string_view separator) {
  return !separator.empty() && text.substr(i).starts_with(separator);
}

// Reads `text` to the grammar: spaces (U+0020), optional sign, digits with at
// most one decimal separator (`separator` or `other_separator`, an empty one
// matching nothing) among them and at least one digit, an optional exponent,
// spaces, the end. The parts view `text`; false when the text has another
// form.
bool ReadNumberParts(std::u16string_view text, std::u16string_view separator,
                     std::u16string_view other_separator, NumberParts& parts) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && text[i] == u' ') ++i;
  if (i < n && (text[i] == u'+' || text[i] == u'-')) parts.negative = text[i++] == u'-';
  const std::size_t integer_begin = i;
  i = ReadDigits(text, i, parts);
  parts.integer_digits = text.substr(integer_begin, i - integer_begin);
  if (i < n) {
    std::size_t matched = 0;
    if (SeparatorAt(text, i, separator)) {
      matched = separator.size();
    } else if (SeparatorAt(text, i, other_separator)) {
      matched = other_separator.size();
    }
    if (matched != 0) {
      i += matched;
      const std::size_t fraction_begin = i;
      i = ReadDigits(text, i, parts);
      parts.fraction_digits = text.substr(fraction_begin, i - fraction_begin);
    }
  }
  if (parts.integer_digits.empty() && parts.fraction_digits.empty()) return false;
  if (i < n && (text[i] == u'e' || text[i] == u'E')) {
    ++i;
    bool negative_exponent = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) negative_exponent = text[i++] == u'-';
    if (i >= n || !IsDigit(text[i])) return false;
    constexpr std::int64_t kLimit = std::int64_t{1} << 40;
    for (; i < n && IsDigit(text[i]); ++i) {
      if (parts.exponent < kLimit) parts.exponent = parts.exponent * 10 + (text[i] - u'0');
    }
    if (negative_exponent) parts.exponent = -parts.exponent;
  }
  while (i < n && text[i] == u' ') ++i;
  return i == n;
}

// The value of the parts; nullopt when its magnitude exceeds the largest
// double. A magnitude below the smallest double reads as zero.
std::optional<double> ValueOf(const NumberParts& parts) {
  const double zero = parts.negative ? -0.0 : 0.0;
  std::string digits;
  digits.reserve(parts.integer_digits.size() + parts.fraction_digits.size());
  for (const char16_t c : parts.integer_digits) digits.push_back(static_cast<char>(c));
  for (const char16_t c : parts.fraction_digits) digits.push_back(static_cast<char>(c));
  const std::size_t first = digits.find_first_not_of('0');
  if (first == std::string::npos) return zero;
  const std::size_t last = digits.find_last_not_of('0');
  // value = 0.<significant> x 10^order
  const std::int64_t order = static_cast<std::int64_t>(parts.integer_digits.size()) -
                             static_cast<std::int64_t>(first) + parts.exponent;
  if (order > std::numeric_limits<double>::max_exponent10 + 1) return std::nullopt;
  if (order < std::numeric_limits<double>::min_exponent10 - 20) return zero;
  std::string normal = parts.negative ? "-0." : "0.";
  normal.append(digits, first, last - first + 1);
  normal.push_back('e');
  normal.append(std::to_string(order));
  double value = 0;
  const auto result = std::from_chars(normal.data(), normal.data() + normal.size(), value,
                                      std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    if (order > 0) return std::nullopt;
    return zero;
  }
  if (result.ec != std::errc() || !std::isfinite(value)) return std::nullopt;
  return value;
}

// The value of parts whose digits, as an integer, stay within 2^53 and whose
// power of ten is within 10^22: both are exact doubles, so one multiplication
// or division rounds the value correctly, as ValueOf does. nullopt for any
// other parts. Only where doubles are computed without excess precision.
std::optional<double> ExactValueOf(const NumberParts& parts) {
#if defined(FLT_EVAL_METHOD) && FLT_EVAL_METHOD == 0
  constexpr std::uint64_t kExactLimit = std::uint64_t{1} << 53;
  if (parts.significant > kMaxSignificant || parts.significand > kExactLimit) return std::nullopt;
  const std::int64_t power =
      parts.exponent - static_cast<std::int64_t>(parts.fraction_digits.size());
  constexpr std::int64_t kMaxPower = static_cast<std::int64_t>(std::size(kDoublePowers10)) - 1;
  if (power < -kMaxPower || power > kMaxPower) return std::nullopt;
  double value = static_cast<double>(parts.significand);
  if (power >= 0) {
    value *= kDoublePowers10[power];
  } else {
    value /= kDoublePowers10[-power];
  }
  return parts.negative ? -value : value;
#else
  static_cast<void>(parts);
  return std::nullopt;
#endif
}

std::optional<double> NumberValue(const NumberParts& parts) {
  if (const std::optional<double> exact = ExactValueOf(parts)) return exact;
  return ValueOf(parts);
}

// The parts' value as an exact decimal: the digits from the first non-zero
// one, the zeros after the last non-zero one moved into the power of ten.
std::optional<ExactDecimal> ExactDecimalOf(const NumberParts& parts) {
  constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
  std::uint64_t magnitude = 0;
  std::int64_t power = parts.exponent - static_cast<std::int64_t>(parts.fraction_digits.size());
  std::int64_t zeros = 0;  // after the last non-zero digit so far
  auto times_ten = [&magnitude](std::uint64_t digit) {
    if (magnitude > (kMax - digit) / 10) return false;
    magnitude = magnitude * 10 + digit;
    return true;
  };
  for (const std::u16string_view digits : {parts.integer_digits, parts.fraction_digits}) {
    for (const char16_t c : digits) {
      const auto digit = static_cast<std::uint64_t>(c - u'0');
      if (digit == 0) {
        if (magnitude != 0) ++zeros;
        continue;
      }
      for (; zeros > 0; --zeros) {
        if (!times_ten(0)) return std::nullopt;
      }
      if (!times_ten(digit)) return std::nullopt;
    }
  }
  if (magnitude == 0) return ExactDecimal();
  power += zeros;
  for (; power > 0; --power) {
    if (!times_ten(0)) return std::nullopt;
  }
  if (-power > ExactDecimal::kMaxReadScale) return std::nullopt;
  return ExactDecimal::FromUnits(parts.negative, magnitude, static_cast<int>(-power));
}

// The common texts, decimal digits (at most 19) with at most one full stop
// or one-unit `separator`, read in one pass; none for any other text, which
// the grammar then reads.
std::optional<ExactDecimal> PlainExactDecimal(std::u16string_view text, char16_t separator) {
  if (text.empty() || text.size() > 20) return std::nullopt;
  std::uint64_t magnitude = 0;
  int scale = -1;  // none before the point
  int digits = 0;
  for (const char16_t c : text) {
    if (IsDigit(c)) {
      magnitude = magnitude * 10 + static_cast<std::uint64_t>(c - u'0');
      ++digits;
      if (scale >= 0) ++scale;
    } else if ((c == u'.' || c == separator) && scale < 0) {
      scale = 0;
    } else {
      return std::nullopt;
    }
  }
  if (digits == 0 || digits > 19) return std::nullopt;
  scale = scale < 0 ? 0 : scale;
  while (scale > 0 && magnitude % 10 == 0) {
    magnitude /= 10;
    --scale;
  }
  if (scale > ExactDecimal::kMaxReadScale) return std::nullopt;
  return ExactDecimal::FromUnits(false, magnitude, scale);
}

}  // namespace

std::optional<ExactDecimal> ParseExactDecimal(std::u16string_view text,
                                              const NumberFormat& format) {
  const char16_t separator =
      format.decimal_separator.size() == 1 ? format.decimal_separator[0] : u'.';
  if (std::optional<ExactDecimal> plain = PlainExactDecimal(text, separator)) return plain;
  NumberParts parts;
  if (!ReadNumberParts(text, format.decimal_separator, u".", parts)) return std::nullopt;
  return ExactDecimalOf(parts);
}

std::optional<double> ParseStrictNumber(std::u16string_view text, const NumberFormat& format) {
  NumberParts parts;
  if (!ReadNumberParts(text, format.decimal_separator, {}, parts)) return std::nullopt;
  return NumberValue(parts);
}

std::optional<double> ParseNumber(std::u16string_view text, const NumberFormat& format) {
  // Surrounding white space: every code unit up to U+0020.
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && text[begin] <= u' ') ++begin;
  while (end > begin && text[end - 1] <= u' ') --end;
  NumberParts parts;
  if (!ReadNumberParts(text.substr(begin, end - begin), u".", format.decimal_separator, parts)) {
    return std::nullopt;
  }
  return NumberValue(parts);
}

}  // namespace kassivo
