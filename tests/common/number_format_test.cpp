#include "common/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

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
