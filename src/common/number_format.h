// The process-wide number format and the three number formats of the tape.
//
// NumberFormat carries the decimal and thousands separators taken once from
// the user's regional settings (a separator is a text: a locale's may be
// U+00A0 or U+202F). Every number the driver writes on the tape uses them,
// and number readers accept the decimal separator as well as the full stop.
//
// Formatting contract (FormatMoney, FormatQuantity, FormatGeneral):
//  - rounding is to the decimals shown, halves away from zero, applied to the
//    value's decimal form of 15 significant digits (2.675 shows 2.68, 1.005
//    shows 1.01), never to the binary expansion;
//  - a negative value starts with "-";
//  - non-finite values print as "INF", "-INF" and "NAN" and never crash.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kassivo {

struct NumberFormat {
  std::u16string decimal_separator = u".";
  std::u16string thousands_separator = u",";
};

// "#,##0.00": grouped by three, at least one integer digit, two decimals.
std::u16string FormatMoney(double value, const NumberFormat& format);

// "#,###0.000": grouped by three, at least one integer digit, three decimals.
std::u16string FormatQuantity(double value, const NumberFormat& format);

// FormatMoney and FormatQuantity appended to `out`.
void AppendMoney(std::u16string& out, double value, const NumberFormat& format);
void AppendQuantity(std::u16string& out, double value, const NumberFormat& format);

// Shortest form with at most 15 significant digits, no grouping, no trailing
// zeros, no decimal separator for a whole number. Exponent form ("1E-6",
// "1E20", "-2.5E-7") only for a non-zero magnitude below 0.00001 or with more
// than 15 integer digits.
std::u16string FormatGeneral(double value, const NumberFormat& format);

// The strict number grammar of XML number attributes: any number of U+0020
// spaces, an optional sign, decimal digits with at most one decimal separator
// (the format's, only) among them, an optional exponent (E or e, optional
// sign, digits), any number of U+0020 spaces, nothing else. No grouping.
// nullopt when the text does not have this form or the magnitude exceeds the
// largest double.
std::optional<double> ParseStrictNumber(std::u16string_view text, const NumberFormat& format);

// Parses a number for argument conversion: optional surrounding spaces, an
// optional sign, digits with at most one decimal separator (the full stop or
// the format's decimal separator), an optional exponent. No grouping.
// nullopt when the text spells no number or the magnitude overflows.
std::optional<double> ParseNumber(std::u16string_view text, const NumberFormat& format);

}  // namespace kassivo
