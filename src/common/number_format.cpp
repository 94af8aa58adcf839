#include "common/number_format.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <string>
#include <system_error>

namespace kassivo {

namespace {

// A finite value as decimal digits: value = sign d0.d1d2... x 10^exponent.
// `digits` has no leading zero unless the value is zero ("0").
struct Decimal {
  bool negative = false;
  std::string digits;
  int exponent = 0;

  bool IsZero() const { return digits.find_first_not_of('0') == std::string::npos; }
};

// The value's decimal form of 15 significant digits (correctly rounded from
// the binary value); every format rounds further from this form.
Decimal ToDecimal15(double value) {
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  Decimal decimal;
  std::size_t i = 0;
  if (text[i] == '-') {
    decimal.negative = true;
    ++i;
  }
  for (; i < text.size() && text[i] != 'e'; ++i) {
    if (text[i] != '.') decimal.digits.push_back(text[i]);
  }
  // The exponent always fits: at most three digits after "e".
  ++i;
  int sign = 1;
  if (text[i] == '-' || text[i] == '+') sign = text[i++] == '-' ? -1 : 1;
  int exponent = 0;
  for (; i < text.size(); ++i) exponent = exponent * 10 + (text[i] - '0');
  decimal.exponent = sign * exponent;
  return decimal;
}

// Rounds to `decimals` digits after the decimal point, halves away from zero.
void RoundToDecimals(Decimal& decimal, int decimals) {
  const int keep = decimal.exponent + 1 + decimals;
  const int count = static_cast<int>(decimal.digits.size());
  if (keep >= count) return;
  if (keep < 0) {
    decimal.digits.assign(1, '0');
    decimal.exponent = 0;
    return;
  }
  const bool up = decimal.digits[static_cast<std::size_t>(keep)] >= '5';
  decimal.digits.resize(static_cast<std::size_t>(keep));
  if (up) {
    int i = keep - 1;
    for (; i >= 0; --i) {
      char& digit = decimal.digits[static_cast<std::size_t>(i)];
      if (digit == '9') {
        digit = '0';
      } else {
        ++digit;
        break;
      }
    }
    if (i < 0) {  // carried out of the leading digit
      decimal.digits.insert(0, 1, '1');
      ++decimal.exponent;
    }
  }
  if (decimal.digits.empty() || decimal.IsZero()) {
    decimal.digits.assign(1, '0');
    decimal.exponent = 0;
  }
}

// The digit standing for 10^power, '0' outside the digits kept.
char DigitAt(const Decimal& decimal, int power) {
  const int index = decimal.exponent - power;
  if (index < 0 || index >= static_cast<int>(decimal.digits.size())) return '0';
  return decimal.digits[static_cast<std::size_t>(index)];
}

std::u16string NonFinite(double value) {
  if (std::isnan(value)) return u"NAN";
  return value < 0 ? u"-INF" : u"INF";
}

// The grouped fixed-point patterns "#,##0.00" and "#,###0.000".
std::u16string FormatGrouped(double value, int decimals, const NumberFormat& format) {
  if (!std::isfinite(value)) return NonFinite(value);
  Decimal decimal = ToDecimal15(value);
  RoundToDecimals(decimal, decimals);
  std::u16string out;
  // A value that rounds to zero prints without a sign.
  if (decimal.negative && !decimal.IsZero()) out.push_back(u'-');
  const int top = decimal.IsZero() ? 0 : std::max(decimal.exponent, 0);
  for (int power = top; power >= 0; --power) {
    out.push_back(static_cast<char16_t>(DigitAt(decimal, power)));
    if (power > 0 && power % 3 == 0) out.append(format.thousands_separator);
  }
  out.append(format.decimal_separator);
  for (int power = -1; power >= -decimals; --power) {
    out.push_back(static_cast<char16_t>(DigitAt(decimal, power)));
  }
  return out;
}

bool IsDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

// The pieces of a number text, read by the shared grammar below.
struct NumberParts {
  bool negative = false;
  std::string integer_digits;
  std::string fraction_digits;
  std::int64_t exponent = 0;  // saturated far beyond any double's range
};

// Reads `text` to the grammar: spaces (U+0020), optional sign, digits with at
// most one decimal separator (any of `separators`, each a non-empty text)
// among them and at least one digit, an optional exponent, spaces, the end.
std::optional<NumberParts> ReadNumberParts(std::u16string_view text,
                                           std::initializer_list<std::u16string_view> separators) {
  NumberParts parts;
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && text[i] == u' ') ++i;
  if (i < n && (text[i] == u'+' || text[i] == u'-')) parts.negative = text[i++] == u'-';
  bool seen_separator = false;
  while (i < n) {
    if (IsDigit(text[i])) {
      (seen_separator ? parts.fraction_digits : parts.integer_digits)
          .push_back(static_cast<char>(text[i]));
      ++i;
      continue;
    }
    if (seen_separator) break;
    std::size_t matched = 0;
    for (const std::u16string_view separator : separators) {
      if (!separator.empty() && text.substr(i, separator.size()) == separator) {
        matched = separator.size();
        break;
      }
    }
    if (matched == 0) break;
    seen_separator = true;
    i += matched;
  }
  if (parts.integer_digits.empty() && parts.fraction_digits.empty()) return std::nullopt;
  if (i < n && (text[i] == u'e' || text[i] == u'E')) {
    ++i;
    bool negative_exponent = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) negative_exponent = text[i++] == u'-';
    if (i >= n || !IsDigit(text[i])) return std::nullopt;
    constexpr std::int64_t kLimit = std::int64_t{1} << 40;
    for (; i < n && IsDigit(text[i]); ++i) {
      if (parts.exponent < kLimit) parts.exponent = parts.exponent * 10 + (text[i] - u'0');
    }
    if (negative_exponent) parts.exponent = -parts.exponent;
  }
  while (i < n && text[i] == u' ') ++i;
  if (i != n) return std::nullopt;
  return parts;
}

// The value of the parts; nullopt when its magnitude exceeds the largest
// double. A magnitude below the smallest double reads as zero.
std::optional<double> ValueOf(const NumberParts& parts) {
  const double zero = parts.negative ? -0.0 : 0.0;
  std::string digits = parts.integer_digits + parts.fraction_digits;
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

}  // namespace

std::u16string FormatMoney(double value, const NumberFormat& format) {
  return FormatGrouped(value, 2, format);
}

std::u16string FormatQuantity(double value, const NumberFormat& format) {
  return FormatGrouped(value, 3, format);
}

std::u16string FormatGeneral(double value, const NumberFormat& format) {
  if (!std::isfinite(value)) return NonFinite(value);
  Decimal decimal = ToDecimal15(value);
  if (decimal.IsZero()) return u"0";
  const std::size_t last = decimal.digits.find_last_not_of('0');
  decimal.digits.resize(last + 1);
  std::u16string out;
  if (decimal.negative) out.push_back(u'-');
  const int count = static_cast<int>(decimal.digits.size());
  if (decimal.exponent < -5 || decimal.exponent >= 15) {
    out.push_back(static_cast<char16_t>(decimal.digits[0]));
    if (count > 1) {
      out.append(format.decimal_separator);
      for (int i = 1; i < count; ++i) {
        out.push_back(static_cast<char16_t>(decimal.digits[static_cast<std::size_t>(i)]));
      }
    }
    out.push_back(u'E');
    if (decimal.exponent < 0) out.push_back(u'-');
    for (const char c : std::to_string(std::abs(decimal.exponent))) {
      out.push_back(static_cast<char16_t>(c));
    }
    return out;
  }
  for (int power = std::max(decimal.exponent, 0); power >= 0; --power) {
    out.push_back(static_cast<char16_t>(DigitAt(decimal, power)));
  }
  const int lowest = decimal.exponent - (count - 1);
  if (lowest < 0) {
    out.append(format.decimal_separator);
    for (int power = -1; power >= lowest; --power) {
      out.push_back(static_cast<char16_t>(DigitAt(decimal, power)));
    }
  }
  return out;
}

std::optional<double> ParseStrictNumber(std::u16string_view text, const NumberFormat& format) {
  const auto parts = ReadNumberParts(text, {format.decimal_separator});
  if (!parts) return std::nullopt;
  return ValueOf(*parts);
}

std::optional<double> ParseNumber(std::u16string_view text, const NumberFormat& format) {
  // Surrounding white space: every code unit up to U+0020.
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && text[begin] <= u' ') ++begin;
  while (end > begin && text[end - 1] <= u' ') --end;
  const auto parts =
      ReadNumberParts(text.substr(begin, end - begin), {u".", format.decimal_separator});
  if (!parts) return std::nullopt;
  return ValueOf(*parts);
}

}  // namespace kassivo
