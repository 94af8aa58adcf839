#include "common/number_format.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "common/text.h"

namespace kassivo {
namespace {

const NumberFormat kPoint{u".", u","};
const NumberFormat kComma{u",", u"\u00A0"};
const NumberFormat kWide{u"<dec>", u"'\u202F'"};

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

TEST(FormatMoneyTest, RoundsTheFifteenDigitFormHalvesAwayFromZero) {
  EXPECT_EQ(FormatMoney(2.675, kPoint), u"2.68");
  EXPECT_EQ(FormatMoney(1.005, kPoint), u"1.01");
  EXPECT_EQ(FormatMoney(-2.675, kPoint), u"-2.68");
  EXPECT_EQ(FormatMoney(0.125, kPoint), u"0.13");
  EXPECT_EQ(FormatMoney(0.005, kPoint), u"0.01");
  EXPECT_EQ(FormatMoney(0.00499999, kPoint), u"0.00");
  EXPECT_EQ(FormatMoney(9.995, kPoint), u"10.00");
  EXPECT_EQ(FormatMoney(999999.995, kPoint), u"1,000,000.00");
  EXPECT_EQ(FormatMoney(0.1 + 0.2, kPoint), u"0.30");
}

TEST(FormatMoneyTest, GroupsByThreeWithTheSeparatorText) {
  EXPECT_EQ(FormatMoney(0, kPoint), u"0.00");
  EXPECT_EQ(FormatMoney(999, kPoint), u"999.00");
  EXPECT_EQ(FormatMoney(1000, kPoint), u"1,000.00");
  EXPECT_EQ(FormatMoney(1234567.891, kPoint), u"1,234,567.89");
  EXPECT_EQ(FormatMoney(-1234567.891, kPoint), u"-1,234,567.89");
  EXPECT_EQ(FormatMoney(1234567.891, kComma), u"1\u00A0234\u00A0567,89");
  EXPECT_EQ(FormatMoney(1234567.891, kWide), u"1'\u202F'234'\u202F'567<dec>89");
  EXPECT_EQ(FormatMoney(1234567.891, NumberFormat{u".", u""}), u"1234567.89");
  EXPECT_EQ(FormatMoney(100000, kPoint), u"100,000.00");
}

TEST(FormatMoneyTest, ValueRoundingToZeroHasNoSign) {
  EXPECT_EQ(FormatMoney(-0.0, kPoint), u"0.00");
  EXPECT_EQ(FormatMoney(-0.004, kPoint), u"0.00");
  EXPECT_EQ(FormatMoney(-0.005, kPoint), u"-0.01");
  EXPECT_EQ(FormatMoney(-1e-300, kPoint), u"0.00");
}

TEST(FormatMoneyTest, HugeAndNonFiniteValues) {
  EXPECT_EQ(FormatMoney(1e20, kPoint), u"100,000,000,000,000,000,000.00");
  // Beyond fifteen significant digits the rest are zeros.
  EXPECT_EQ(FormatMoney(123456789012345678.0, kPoint), u"123,456,789,012,346,000.00");
  EXPECT_EQ(FormatMoney(std::numeric_limits<double>::max(), kPoint).size(), 309u + 102u + 3u);
  EXPECT_EQ(FormatMoney(kInf, kComma), u"INF");
  EXPECT_EQ(FormatMoney(-kInf, kComma), u"-INF");
  EXPECT_EQ(FormatMoney(kNan, kComma), u"NAN");
  EXPECT_EQ(FormatMoney(std::numeric_limits<double>::max() * 2, kPoint), u"INF");
}

TEST(FormatQuantityTest, ThreeDecimalsGrouped) {
  EXPECT_EQ(FormatQuantity(0, kPoint), u"0.000");
  EXPECT_EQ(FormatQuantity(1, kPoint), u"1.000");
  EXPECT_EQ(FormatQuantity(1.0005, kPoint), u"1.001");
  EXPECT_EQ(FormatQuantity(2.0625, kPoint), u"2.063");
  EXPECT_EQ(FormatQuantity(-0.0004, kPoint), u"0.000");
  EXPECT_EQ(FormatQuantity(-12345.6789, kComma), u"-12\u00A0345,679");
  EXPECT_EQ(FormatQuantity(0.0005, kPoint), u"0.001");
  EXPECT_EQ(FormatQuantity(-kInf, kPoint), u"-INF");
  EXPECT_EQ(FormatQuantity(kNan, kPoint), u"NAN");
}

TEST(FormatGeneralTest, ShortestFixedForm) {
  EXPECT_EQ(FormatGeneral(0, kPoint), u"0");
  EXPECT_EQ(FormatGeneral(-0.0, kPoint), u"0");
  EXPECT_EQ(FormatGeneral(1, kPoint), u"1");
  EXPECT_EQ(FormatGeneral(-42, kPoint), u"-42");
  EXPECT_EQ(FormatGeneral(1234567, kPoint), u"1234567");
  EXPECT_EQ(FormatGeneral(12.5, kComma), u"12,5");
  EXPECT_EQ(FormatGeneral(0.1 + 0.2, kPoint), u"0.3");
  EXPECT_EQ(FormatGeneral(1.0 / 3, kPoint), u"0.333333333333333");
  EXPECT_EQ(FormatGeneral(2.0 / 3, kPoint), u"0.666666666666667");
  EXPECT_EQ(FormatGeneral(0.00001, kPoint), u"0.00001");
  EXPECT_EQ(FormatGeneral(-0.000015, kWide), u"-0<dec>000015");
  EXPECT_EQ(FormatGeneral(100, kPoint), u"100");
}

TEST(FormatGeneralTest, FifteenDigitLimits) {
  EXPECT_EQ(FormatGeneral(999999999999999.0, kPoint), u"999999999999999");
  EXPECT_EQ(FormatGeneral(123456789012345.6, kPoint), u"123456789012346");
  EXPECT_EQ(FormatGeneral(1e15, kPoint), u"1E15");
  // Sixteen nines round to 1E16 at fifteen digits.
  EXPECT_EQ(FormatGeneral(9999999999999999.0, kPoint), u"1E16");
  EXPECT_EQ(FormatGeneral(1.23456789012345678, kPoint), u"1.23456789012346");
}

TEST(FormatGeneralTest, ExponentForm) {
  EXPECT_EQ(FormatGeneral(1e-6, kPoint), u"1E-6");
  EXPECT_EQ(FormatGeneral(1e20, kPoint), u"1E20");
  EXPECT_EQ(FormatGeneral(-2.5e-7, kPoint), u"-2.5E-7");
  EXPECT_EQ(FormatGeneral(-2.5e-7, kComma), u"-2,5E-7");
  EXPECT_EQ(FormatGeneral(9.99e-6, kPoint), u"9.99E-6");
  EXPECT_EQ(FormatGeneral(1.5e300, kPoint), u"1.5E300");
  EXPECT_EQ(FormatGeneral(5e-324, kPoint), u"4.94065645841247E-324");
  EXPECT_EQ(FormatGeneral(kInf, kPoint), u"INF");
  EXPECT_EQ(FormatGeneral(-kInf, kPoint), u"-INF");
  EXPECT_EQ(FormatGeneral(-kNan, kPoint), u"NAN");
}

TEST(ParseStrictNumberTest, AcceptsTheGrammar) {
  EXPECT_EQ(ParseStrictNumber(u"2", kPoint), 2.0);
  EXPECT_EQ(ParseStrictNumber(u"  2  ", kPoint), 2.0);
  EXPECT_EQ(ParseStrictNumber(u"-12.5", kPoint), -12.5);
  EXPECT_EQ(ParseStrictNumber(u"+.5", kPoint), 0.5);
  EXPECT_EQ(ParseStrictNumber(u"5.", kPoint), 5.0);
  EXPECT_EQ(ParseStrictNumber(u"1e3", kPoint), 1000.0);
  EXPECT_EQ(ParseStrictNumber(u"1E+3", kPoint), 1000.0);
  EXPECT_EQ(ParseStrictNumber(u"2.5e-1", kPoint), 0.25);
  EXPECT_EQ(ParseStrictNumber(u"007", kPoint), 7.0);
  EXPECT_EQ(ParseStrictNumber(u"0.1", kPoint), 0.1);
  EXPECT_EQ(ParseStrictNumber(u"12,5", kComma), 12.5);
  EXPECT_EQ(ParseStrictNumber(u"12<dec>5", kWide), 12.5);
  EXPECT_EQ(ParseStrictNumber(u"1.7976931348623157e308", kPoint),
            std::numeric_limits<double>::max());
  // Underflow is not an overflow: the magnitude is tiny, the value zero.
  EXPECT_EQ(ParseStrictNumber(u"1e-400", kPoint), 0.0);
  EXPECT_EQ(ParseStrictNumber(u"0e999999999999999999999", kPoint), 0.0);
  EXPECT_EQ(ParseStrictNumber(u"0.000000000000000000000000000000001e33", kPoint), 1.0);
  const auto negative_zero = ParseStrictNumber(u"-0", kPoint);
  ASSERT_TRUE(negative_zero);
  EXPECT_TRUE(std::signbit(*negative_zero));
}

TEST(ParseStrictNumberTest, RejectsEverythingElse) {
  for (const char16_t* text :
       {u"",     u"   ", u"abc",   u"1 000",   u"1,000",  u".",
        u"+",    u"-.",  u"1e",    u"1e+",     u"e5",     u"1.2.3",
        u"--1",  u"+-1", u"- 1",   u"1e400",   u"-1e400", u"1e99999999999999999999",
        u"0x10", u"inf", u"nan",   u"1\u00A0", u"\t1",    u"1\n",
        u"12,5", u"1d",  u"\uFF11"}) {
    EXPECT_EQ(ParseStrictNumber(text, kPoint), std::nullopt) << ToUtf8(text);
  }
  // Only the format's separator counts.
  EXPECT_EQ(ParseStrictNumber(u"12.5", kComma), std::nullopt);
  EXPECT_EQ(ParseStrictNumber(u"12,5", kWide), std::nullopt);
  EXPECT_EQ(ParseStrictNumber(u"12<dec", kWide), std::nullopt);
  EXPECT_EQ(ParseStrictNumber(u"1,2,3", kComma), std::nullopt);
}

TEST(ParseNumberTest, AcceptsWhiteSpaceAndBothSeparators) {
  EXPECT_EQ(ParseNumber(u"\t 2.5\r\n", kComma), 2.5);
  EXPECT_EQ(ParseNumber(u"2,5", kComma), 2.5);
  EXPECT_EQ(ParseNumber(u"2.5", kComma), 2.5);
  EXPECT_EQ(ParseNumber(u"-3", kPoint), -3.0);
  EXPECT_EQ(ParseNumber(u"1e-2", kPoint), 0.01);
  EXPECT_EQ(ParseNumber(u"12<dec>5", kWide), 12.5);
  EXPECT_EQ(ParseNumber(u"12.5", kWide), 12.5);
}

TEST(ParseNumberTest, RejectsNonNumbers) {
  for (const char16_t* text :
       {u"", u" ", u"abc", u"1 000", u"2,5", u"1e400", u"true", u"1.5.", u"\u00A01", u"2.5,1"}) {
    EXPECT_EQ(ParseNumber(text, kPoint), std::nullopt) << ToUtf8(text);
  }
  EXPECT_EQ(ParseNumber(u"2.5,1", kComma), std::nullopt);
}

TEST(FormatMoneyTest, TrickyDecimalsRoundFromTheFifteenDigitForm) {
  // Binary values just below a half still round up from their decimal form.
  EXPECT_EQ(FormatMoney(0.015, kPoint), u"0.02");
  EXPECT_EQ(FormatMoney(1.115, kPoint), u"1.12");
  EXPECT_EQ(FormatMoney(8.345, kPoint), u"8.35");
  EXPECT_EQ(FormatMoney(-0.045, kPoint), u"-0.05");
  EXPECT_EQ(FormatMoney(1.0049999999999999, kPoint), u"1.01");  // the double of 1.005
  EXPECT_EQ(FormatMoney(1.00499999999999, kPoint), u"1.00");
  EXPECT_EQ(FormatMoney(149.85, kPoint), u"149.85");
  EXPECT_EQ(FormatMoney(0.5, kPoint), u"0.50");
  EXPECT_EQ(FormatMoney(0.994999999999999, kPoint), u"0.99");
  EXPECT_EQ(FormatMoney(0.995, kPoint), u"1.00");
  // Fifteen significant digits are kept, the sixteenth is rounded away first.
  EXPECT_EQ(FormatMoney(1234567890123.45, kPoint), u"1,234,567,890,123.45");
  EXPECT_EQ(FormatMoney(12345678901234.56, kPoint), u"12,345,678,901,234.60");
  EXPECT_EQ(FormatMoney(999999999999999.0, kPoint), u"999,999,999,999,999.00");
  // Sixteen digits: the fifteen-digit form is 100000000000000.0 ...
  EXPECT_EQ(FormatMoney(99999999999999.99, kPoint), u"100,000,000,000,000.00");
  // ... and here 9999999999999.99 (the double is 9999999999999.994140625).
  EXPECT_EQ(FormatMoney(9999999999999.995, kPoint), u"9,999,999,999,999.99");
  EXPECT_EQ(FormatMoney(1e15 + 2, kPoint), u"1,000,000,000,000,000.00");
  // A fifteen-digit fraction: the first digit dropped decides.
  EXPECT_EQ(FormatMoney(0.00500000000000001, kPoint), u"0.01");
  EXPECT_EQ(FormatMoney(0.00499999999999999, kPoint), u"0.00");
  EXPECT_EQ(FormatMoney(1.0 / 3, kPoint), u"0.33");
  EXPECT_EQ(FormatMoney(2.0 / 3, kPoint), u"0.67");
}

TEST(FormatMoneyTest, GroupingBoundariesAndTinyValues) {
  EXPECT_EQ(FormatMoney(999.995, kPoint), u"1,000.00");
  EXPECT_EQ(FormatMoney(-999.995, kPoint), u"-1,000.00");
  EXPECT_EQ(FormatMoney(999.994, kPoint), u"999.99");
  EXPECT_EQ(FormatMoney(99999.999, kPoint), u"100,000.00");
  EXPECT_EQ(FormatMoney(1e6, kComma), u"1\u00A0000\u00A0000,00");
  EXPECT_EQ(
      FormatMoney(1e21, kWide),
      u"1'\u202F'000'\u202F'000'\u202F'000'\u202F'000'\u202F'000'\u202F'000'\u202F'000<dec>00");
  EXPECT_EQ(FormatMoney(5e-324, kPoint), u"0.00");
  EXPECT_EQ(FormatMoney(-5e-324, kPoint), u"0.00");
  EXPECT_EQ(FormatMoney(std::numeric_limits<double>::min(), kPoint), u"0.00");
  EXPECT_EQ(FormatMoney(1e-22, kPoint), u"0.00");
  EXPECT_EQ(FormatQuantity(0.0004999999999999, kPoint), u"0.000");
  EXPECT_EQ(FormatQuantity(999999.9995, kPoint), u"1,000,000.000");
  EXPECT_EQ(FormatQuantity(-999.9995, kComma), u"-1\u00A0000,000");
  EXPECT_EQ(FormatQuantity(1.5, kPoint), u"1.500");
  EXPECT_EQ(FormatQuantity(-0.0, kPoint), u"0.000");
  const std::u16string largest = FormatMoney(std::numeric_limits<double>::max(), kPoint);
  EXPECT_TRUE(largest.starts_with(u"179,769,313,486,232,000,000,")) << ToUtf8(largest);
  EXPECT_TRUE(largest.ends_with(u",000,000.00")) << ToUtf8(largest);
  EXPECT_EQ(FormatMoney(-std::numeric_limits<double>::max(), kPoint), u"-" + largest);
}

TEST(FormatGeneralTest, FractionsAndLeadingZeros) {
  EXPECT_EQ(FormatGeneral(149.85, kPoint), u"149.85");
  EXPECT_EQ(FormatGeneral(0.0001234, kPoint), u"0.0001234");
  EXPECT_EQ(FormatGeneral(120, kPoint), u"120");
  EXPECT_EQ(FormatGeneral(1.5e14, kPoint), u"150000000000000");
  EXPECT_EQ(FormatGeneral(100.001, kComma), u"100,001");
  EXPECT_EQ(FormatGeneral(-0.1, kWide), u"-0<dec>1");
  EXPECT_EQ(FormatGeneral(1e-5, kPoint), u"0.00001");
  EXPECT_EQ(FormatGeneral(9.99999999999999e-6, kPoint), u"9.99999999999999E-6");
  EXPECT_EQ(FormatGeneral(9.999999999999999e-6, kPoint), u"0.00001");
  EXPECT_EQ(FormatGeneral(999999999999999.4, kPoint), u"999999999999999");
  EXPECT_EQ(FormatGeneral(999999999999999.6, kPoint), u"1E15");
}

// The fifteen-digit form from to_chars, then every rounding done on its digit
// string: the slow and obvious way to the same texts.
struct Reference {
  bool negative = false;
  std::string integer;   // without leading zeros, at least one digit
  std::string fraction;  // as long as needed

  explicit Reference(double value) {
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                   std::chars_format::scientific, 14)
                         .ptr;
    const std::string text(buffer, end);
    negative = std::signbit(value);
    const std::string digits = text.substr(0, 1) + text.substr(2, 14);
    const int point = std::stoi(text.substr(text.find('e') + 1)) + 1;  // digits before the point
    if (point <= 0) {
      integer = "0";
      fraction = std::string(static_cast<std::size_t>(-point), '0') + digits;
    } else if (point >= 15) {
      integer = digits + std::string(static_cast<std::size_t>(point - 15), '0');
    } else {
      integer = digits.substr(0, static_cast<std::size_t>(point));
      fraction = digits.substr(static_cast<std::size_t>(point));
    }
  }

  static bool AllZeros(const std::string& text) {
    return text.find_first_not_of('0') == std::string::npos;
  }

  std::string Grouped(int decimals, const std::string& thousands, const std::string& point) const {
    std::string fraction_part = fraction;
    fraction_part.resize(static_cast<std::size_t>(decimals) + 1, '0');
    const bool up = fraction_part.back() >= '5';
    fraction_part.pop_back();
    std::string all = integer + fraction_part;
    for (std::size_t i = all.size(); up && i-- > 0;) {
      if (all[i] == '9') {
        all[i] = '0';
        if (i == 0) all.insert(0, 1, '1');
      } else {
        ++all[i];
        break;
      }
    }
    std::string whole = all.substr(0, all.size() - static_cast<std::size_t>(decimals));
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size() - 1));
    std::string out = negative && !AllZeros(all) ? "-" : "";
    for (std::size_t i = 0; i < whole.size(); ++i) {
      out += whole[i];
      if ((whole.size() - 1 - i) % 3 == 0 && i + 1 < whole.size()) out += thousands;
    }
    return out + point + all.substr(all.size() - static_cast<std::size_t>(decimals));
  }

  std::string General(const std::string& point) const {
    if (AllZeros(integer) && AllZeros(fraction)) return "0";
    std::string digits = integer + fraction;
    int exponent = static_cast<int>(integer.size()) - 1;  // of the first digit
    const std::size_t first = digits.find_first_not_of('0');
    digits.erase(0, first);
    exponent -= static_cast<int>(first);
    digits.erase(digits.find_last_not_of('0') + 1);
    std::string out = negative ? "-" : "";
    if (exponent < -5 || exponent >= 15) {
      out += digits.substr(0, 1);
      if (digits.size() > 1) out += point + digits.substr(1);
      return out + "E" + std::to_string(exponent);
    }
    if (exponent < 0) {
      return out + "0" + point + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    const auto whole = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= whole) return out + digits + std::string(whole - digits.size(), '0');
    return out + digits.substr(0, whole) + point + digits.substr(whole);
  }
};

// Values like those of real checks and values of every magnitude.
std::vector<double> SampleValues() {
  std::mt19937_64 random(20240611);
  std::vector<double> values;
  for (int i = 0; i < 15000; ++i) {
    const std::uint64_t bits = random();
    double any = 0;
    std::memcpy(&any, &bits, sizeof any);
    if (std::isfinite(any)) values.push_back(any);
    // A short decimal: up to fifteen digits over a power of ten.
    const double whole = static_cast<double>(random() % 1000000000000000ull >> (random() % 50));
    const double decimal = whole / std::pow(10.0, static_cast<double>(random() % 9));
    values.push_back(decimal);
    values.push_back(-decimal);
    // Halves at the third and fourth decimal places.
    values.push_back(static_cast<double>(random() % 10000000 * 10 + 5) / 1000);
    values.push_back(static_cast<double>(random() % 10000000 * 10 + 5) / 10000);
    values.push_back(
        std::ldexp(static_cast<double>(random() >> 11), static_cast<int>(random() % 160) - 110));
  }
  return values;
}

TEST(NumberFormatCrossCheckTest, MatchesTheDigitStringReference) {
  const NumberFormat format{u"<dec>", u"'"};
  for (const double value : SampleValues()) {
    const Reference reference(value);
    ASSERT_EQ(ToUtf8(FormatMoney(value, format)), reference.Grouped(2, "'", "<dec>")) << value;
    ASSERT_EQ(ToUtf8(FormatQuantity(value, format)), reference.Grouped(3, "'", "<dec>")) << value;
    ASSERT_EQ(ToUtf8(FormatGeneral(value, format)), reference.General("<dec>")) << value;
  }
}

TEST(NumberFormatCrossCheckTest, StrictNumbersReadAsFromChars) {
  std::mt19937_64 random(7);
  for (int i = 0; i < 50000; ++i) {
    std::string text = std::to_string(random() >> (random() % 64));
    if (random() % 2)
      text += "." + std::string(random() % 4, '0') + std::to_string(random() % 1000000);
    if (random() % 3 == 0) text += "000";
    if (random() % 3 == 0) text += "e" + std::to_string(static_cast<int>(random() % 61) - 30);
    if (random() % 2) text.insert(0, "-");
    double expected = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), expected);
    ASSERT_EQ(result.ec, std::errc()) << text;
    const std::optional<double> read = ParseStrictNumber(FromUtf8(text), kPoint);
    ASSERT_TRUE(read) << text;
    ASSERT_EQ(std::memcmp(&*read, &expected, sizeof expected), 0) << text;
    std::string comma = text;
    if (const std::size_t point = comma.find('.'); point != std::string::npos) comma[point] = ',';
    ASSERT_EQ(ParseNumber(FromUtf8(comma), kComma), expected) << comma;
  }
}

TEST(NumberFormatRoundTripTest, GeneralFormReadsBack) {
  for (const double value : {0.0, 1.0, -1.5, 1234.5678, 1e-6, -2.5e-7, 1e20, 0.3, 12345678.9}) {
    for (const NumberFormat& format : {kPoint, kComma, kWide}) {
      const auto back = ParseStrictNumber(FormatGeneral(value, format), format);
      ASSERT_TRUE(back) << value;
      EXPECT_DOUBLE_EQ(*back, value);
    }
  }
}

}  // namespace
}  // namespace kassivo
