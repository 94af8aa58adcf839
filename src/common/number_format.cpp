#include "common/number_format.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <string>

#include "common/powers_of_ten.h"

namespace kassivo {

namespace {

constexpr double kDoublePowers10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                      1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                      1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

constexpr std::uint64_t kFifteenDigits = 1000000000000000ull;  // 10^15

// A finite value as an integer and a power of ten:
// value = sign x significand x 10^scale, significand < 10^15.
struct Decimal {
  bool negative = false;
  std::uint64_t significand = 0;
  int scale = 0;
};

// Writes the decimal digits of `value` (at least one) ending just before
// `end`; returns where they begin.
char* WriteDigits(char* end, std::uint64_t value) {
  do {
    *--end = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  return end;
}

// The value's decimal form of 15 significant digits (correctly rounded from
// the binary value); every format rounds further from this form.
//
// Most values the driver prints are the doubles nearest to short decimals
// (149.85, 1.5). For those the form is found by integer arithmetic: when
// n / 10^k, computed with both operands exact, gives back the magnitude,
// the magnitude lies within one unit in its last place of the decimal
// n x 10^-k, and a double's unit is far below half a unit of the fifteenth
// significant digit (10^15 < 2^52), so that decimal of at most fifteen digits
// is the fifteen-digit form. Every other value is converted by to_chars.
Decimal ToDecimal15(double value) {
  Decimal decimal;
  decimal.negative = std::signbit(value);
  const double magnitude = std::fabs(value);
  if (magnitude == 0) return decimal;
  constexpr int kFastScales = static_cast<int>(std::size(kDoublePowers10));
  for (int k = 0; k < kFastScales; ++k) {
    const double scaled = magnitude * kDoublePowers10[k];
    if (!(scaled < static_cast<double>(kFifteenDigits))) break;
    const auto candidate = static_cast<std::int64_t>(scaled + 0.5);
    if (static_cast<double>(candidate) / kDoublePowers10[k] == magnitude) {
      decimal.significand = static_cast<std::uint64_t>(candidate);
      decimal.scale = -k;
      return decimal;
    }
  }
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 14);
  // "d.ddddddddddddddde[+-]x..."
  const char* p = buffer;
  std::uint64_t significand = 0;
  for (; *p != 'e'; ++p) {
    if (*p != '.') significand = significand * 10 + static_cast<std::uint64_t>(*p - '0');
  }
  ++p;
  const bool negative_exponent = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  int exponent = 0;
  for (; p < result.ptr; ++p) exponent = exponent * 10 + (*p - '0');
  decimal.significand = significand;
  decimal.scale = (negative_exponent ? -exponent : exponent) - 14;
  return decimal;
}

std::u16string_view NonFinite(double value) {
  if (std::isnan(value)) return u"NAN";
  return value < 0 ? u"-INF" : u"INF";
}

// Copies `text` to `to`; returns the end of the copy.
char16_t* Put(char16_t* to, std::u16string_view text) {
  if (text.size() == 1) {
    *to = text[0];
    return to + 1;
  }
  return to + text.copy(to, text.size());
}

// Appends the grouped fixed-point patterns "#,##0.00" and "#,###0.000".
void AppendGrouped(std::u16string& out, double value, int decimals, const NumberFormat& format) {
  if (!std::isfinite(value)) {
    out.append(NonFinite(value));
    return;
  }
  const Decimal decimal = ToDecimal15(value);
  // The magnitude rounded to `decimals` places, as digits counting units of
  // 10^-decimals: a significand and trailing zeros up to the largest double
  // (309 integer digits), at least decimals + 1 of them.
  char buffer[352];
  char* const end = buffer + sizeof buffer;
  char* first = end;
  bool zero = false;
  if (decimal.scale >= -decimals) {
    const int zeros = decimal.scale + decimals;
    for (int i = 0; i < zeros; ++i) *--first = '0';
    first = WriteDigits(first, decimal.significand);
    zero = decimal.significand == 0;
  } else {
    // Halves away from zero: up when the first digit dropped is 5 or more.
    // A significand below 10^15 is below half of any larger unit.
    const int drop = -decimals - decimal.scale;
    std::uint64_t units = 0;
    if (drop < static_cast<int>(std::size(kPowersOf10))) {
      const std::uint64_t unit = kPowersOf10[drop];
      units = decimal.significand / unit;
      if (decimal.significand % unit >= unit / 2) ++units;
    }
    first = WriteDigits(first, units);
    zero = units == 0;
  }
  while (end - first < decimals + 1) *--first = '0';
  const int integer_digits = static_cast<int>(end - first) - decimals;
  const int groups = (integer_digits - 1) / 3;

  const std::u16string_view thousands = format.thousands_separator;
  const std::u16string_view point = format.decimal_separator;
  // A value that rounds to zero prints without a sign.
  const bool sign = decimal.negative && !zero;
  const std::size_t length = (sign ? 1 : 0) + static_cast<std::size_t>(integer_digits) +
                             static_cast<std::size_t>(groups) * thousands.size() + point.size() +
                             static_cast<std::size_t>(decimals);
  // Short texts, nearly all, are written in a local buffer and appended.
  char16_t local[64];
  char16_t* to = local;
  if (length > std::size(local)) {
    const std::size_t start = out.size();
    out.resize(start + length);
    to = out.data() + start;
  }
  if (sign) *to++ = u'-';
  const char* from = first;
  for (int left = integer_digits; left > 0; --left) {
    *to++ = static_cast<char16_t>(*from++);
    if (left > 1 && (left - 1) % 3 == 0) to = Put(to, thousands);
  }
  to = Put(to, point);
  for (int i = 0; i < decimals; ++i) *to++ = static_cast<char16_t>(*from++);
  if (length <= std::size(local)) out.append(local, length);
}

}  // namespace

void AppendMoney(std::u16string& out, double value, const NumberFormat& format) {
  AppendGrouped(out, value, 2, format);
}

void AppendQuantity(std::u16string& out, double value, const NumberFormat& format) {
  AppendGrouped(out, value, 3, format);
}

std::u16string FormatMoney(double value, const NumberFormat& format) {
  std::u16string out;
  AppendMoney(out, value, format);
  return out;
}

std::u16string FormatQuantity(double value, const NumberFormat& format) {
  std::u16string out;
  AppendQuantity(out, value, format);
  return out;
}

std::u16string FormatGeneral(double value, const NumberFormat& format) {
  if (!std::isfinite(value)) return std::u16string(NonFinite(value));
  Decimal decimal = ToDecimal15(value);
  if (decimal.significand == 0) return u"0";
  while (decimal.significand % 10 == 0) {
    decimal.significand /= 10;
    ++decimal.scale;
  }
  char buffer[24];
  const char* const end = buffer + sizeof buffer;
  const char* const digits = WriteDigits(buffer + sizeof buffer, decimal.significand);
  const int count = static_cast<int>(end - digits);
  // The power of ten of the leading digit.
  const int exponent = decimal.scale + count - 1;
  std::u16string out;
  if (decimal.negative) out.push_back(u'-');
  if (exponent < -5 || exponent >= 15) {
    out.push_back(static_cast<char16_t>(digits[0]));
    if (count > 1) {
      out.append(format.decimal_separator);
      out.append(digits + 1, end);
    }
    out.push_back(u'E');
    if (exponent < 0) out.push_back(u'-');
    for (const char c : std::to_string(std::abs(exponent))) out.push_back(static_cast<char16_t>(c));
    return out;
  }
  // Integer digits (at least one), then the fraction when the value has one.
  if (exponent < 0) {
    out.push_back(u'0');
  } else if (decimal.scale >= 0) {
    out.append(digits, end);
    out.append(static_cast<std::size_t>(decimal.scale), u'0');
  } else {
    out.append(digits, digits + exponent + 1);
  }
  if (decimal.scale < 0) {
    out.append(format.decimal_separator);
    if (exponent < 0) out.append(static_cast<std::size_t>(-exponent - 1), u'0');
    out.append(exponent < 0 ? digits : digits + exponent + 1, end);
  }
  return out;
}

}  // namespace kassivo
