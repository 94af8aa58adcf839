#include "common/value.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <variant>

#include "common/text.h"

namespace kassivo {
namespace {

const NumberFormat kPoint{u".", u","};
const NumberFormat kComma{u",", u"\u00A0"};

TEST(RoundHalfEvenTest, ExactHalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(-3.5), -4);
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(2.5000001), 3);
  EXPECT_EQ(RoundHalfEven(-0.4), 0);
}

TEST(RoundHalfEvenTest, ThirtyTwoBitRange) {
  EXPECT_EQ(RoundHalfEven(2147483647.0), 2147483647);
  EXPECT_EQ(RoundHalfEven(2147483647.4), 2147483647);
  EXPECT_EQ(RoundHalfEven(-2147483648.0), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(RoundHalfEven(-2147483648.5), std::numeric_limits<std::int32_t>::min());
  EXPECT_THROW(RoundHalfEven(2147483647.5), ConversionError);
  EXPECT_THROW(RoundHalfEven(2147483648.0), ConversionError);
  EXPECT_THROW(RoundHalfEven(-2147483649.0), ConversionError);
  EXPECT_THROW(RoundHalfEven(std::numeric_limits<double>::infinity()), ConversionError);
  EXPECT_THROW(RoundHalfEven(std::numeric_limits<double>::quiet_NaN()), ConversionError);
}

TEST(ToIntegerTest, FromEveryKind) {
  EXPECT_EQ(ToInteger(Value(), kPoint), 0);
  EXPECT_EQ(ToInteger(Value::Boolean(true), kPoint), 1);
  EXPECT_EQ(ToInteger(Value::Boolean(false), kPoint), 0);
  EXPECT_EQ(ToInteger(Value::Integer(-7), kPoint), -7);
  EXPECT_EQ(ToInteger(Value::Real(2.5), kPoint), 2);
  EXPECT_EQ(ToInteger(Value::Real(3.5), kPoint), 4);
  EXPECT_EQ(ToInteger(Value::Text(u" 42 "), kPoint), 42);
  EXPECT_EQ(ToInteger(Value::Text(u"2.5"), kPoint), 2);
  EXPECT_EQ(ToInteger(Value::Text(u"3,5"), kComma), 4);
  EXPECT_EQ(ToInteger(Value::Text(u"3.5"), kComma), 4);
  EXPECT_EQ(ToInteger(Value::Text(u"1e3"), kPoint), 1000);
  EXPECT_EQ(ToInteger(Value::Text(u"-2147483648"), kPoint),
            std::numeric_limits<std::int32_t>::min());
}

TEST(ToIntegerTest, FailuresAreConversionErrors) {
  for (const char16_t* text : {u"", u"abc", u"1 000", u"3,5", u"0x10", u"2147483648", u"1e400"}) {
    EXPECT_THROW(ToInteger(Value::Text(text), kPoint), ConversionError) << ToUtf8(text);
  }
  EXPECT_THROW(ToInteger(Value::Real(3e9), kPoint), ConversionError);
  EXPECT_THROW(ToInteger(Value::Real(-std::numeric_limits<double>::infinity()), kPoint),
               ConversionError);
  try {
    ToInteger(Value::Text(u"abc"), kPoint);
    FAIL();
  } catch (const ConversionError& error) {
    EXPECT_NE(error.message().find(u"abc"), std::u16string::npos);
  }
}

TEST(ToRealTest, FromEveryKind) {
  EXPECT_EQ(ToReal(Value(), kPoint), 0.0);
  EXPECT_EQ(ToReal(Value::Boolean(true), kPoint), 1.0);
  EXPECT_EQ(ToReal(Value::Integer(-5), kPoint), -5.0);
  EXPECT_EQ(ToReal(Value::Real(0.1), kPoint), 0.1);
  EXPECT_EQ(ToReal(Value::Text(u"12,5"), kComma), 12.5);
  EXPECT_EQ(ToReal(Value::Text(u"12.5"), kComma), 12.5);
  EXPECT_THROW(ToReal(Value::Text(u"12,5"), kPoint), ConversionError);
  EXPECT_THROW(ToReal(Value::Text(u""), kPoint), ConversionError);
  EXPECT_THROW(ToReal(Value::Text(u"NaN"), kPoint), ConversionError);
}

TEST(ToBooleanTest, FromEveryKind) {
  EXPECT_FALSE(ToBoolean(Value(), kPoint));
  EXPECT_TRUE(ToBoolean(Value::Text(u"TRUE"), kPoint));
  EXPECT_TRUE(ToBoolean(Value::Text(u" true "), kPoint));
  EXPECT_FALSE(ToBoolean(Value::Text(u"false"), kPoint));
  EXPECT_FALSE(ToBoolean(Value::Text(u"False"), kPoint));
  EXPECT_FALSE(ToBoolean(Value::Text(u"0"), kPoint));
  EXPECT_TRUE(ToBoolean(Value::Text(u"2"), kPoint));
  EXPECT_TRUE(ToBoolean(Value::Text(u"0,5"), kComma));
  EXPECT_TRUE(ToBoolean(Value::Integer(-1), kPoint));
  EXPECT_FALSE(ToBoolean(Value::Integer(0), kPoint));
  EXPECT_TRUE(ToBoolean(Value::Real(0.1), kPoint));
  EXPECT_FALSE(ToBoolean(Value::Real(-0.0), kPoint));
  EXPECT_THROW(ToBoolean(Value::Text(u"yes"), kPoint), ConversionError);
  EXPECT_THROW(ToBoolean(Value::Text(u""), kPoint), ConversionError);
}

TEST(ToTextTest, FromEveryKind) {
  EXPECT_EQ(ToText(Value(), kPoint), u"");
  EXPECT_EQ(ToText(Value::Text(u"абв"), kPoint), u"абв");
  EXPECT_EQ(ToText(Value::Boolean(true), kPoint), u"True");
  EXPECT_EQ(ToText(Value::Boolean(false), kPoint), u"False");
  EXPECT_EQ(ToText(Value::Integer(-2147483647 - 1), kPoint), u"-2147483648");
  EXPECT_EQ(ToText(Value::Real(12.5), kComma), u"12,5");
  EXPECT_EQ(ToText(Value::Real(0.1), kPoint), u"0.1");
}

// Every pair of kinds through copy and move, construction and assignment:
// the target ends equal to the source, a moved-from text stays a text.
TEST(ValueTest, CopiesAndMovesBetweenEveryPairOfKinds) {
  const std::u16string long_text(100, u'ж');  // beyond the in-place buffer
  const Value samples[] = {Value(),
                           Value::Text(u"ab"),
                           Value::Text(long_text),
                           Value::Boolean(true),
                           Value::Integer(-3),
                           Value::Real(2.5)};
  for (const Value& from : samples) {
    const Value copied(from);
    EXPECT_EQ(copied, from);
    Value source(from);
    const Value moved(std::move(source));
    EXPECT_EQ(moved, from);
    EXPECT_EQ(source.kind(), from.kind());
    for (const Value& to : samples) {
      Value assigned(to);
      assigned = from;
      EXPECT_EQ(assigned, from);
      Value move_assigned(to);
      Value moved_source(from);
      move_assigned = std::move(moved_source);
      EXPECT_EQ(move_assigned, from);
    }
  }
}

TEST(ValueTest, SelfAssignmentKeepsTheValue) {
  Value text = Value::Text(std::u16string(40, u'x'));
  const Value& same = text;
  text = same;
  EXPECT_EQ(text, Value::Text(std::u16string(40, u'x')));
  Value number = Value::Integer(7);
  const Value& same_number = number;
  number = same_number;
  EXPECT_EQ(number, Value::Integer(7));
}

TEST(ValueTest, EqualityNeedsTheSameKindAndContent) {
  EXPECT_EQ(Value(), Value());
  EXPECT_NE(Value(), Value::Text(u""));
  EXPECT_NE(Value::Integer(1), Value::Boolean(true));
  EXPECT_NE(Value::Integer(1), Value::Real(1.0));
  EXPECT_NE(Value::Integer(1), Value::Integer(2));
  EXPECT_NE(Value::Boolean(false), Value::Boolean(true));
  EXPECT_NE(Value::Text(u"a"), Value::Text(u"A"));
  EXPECT_EQ(Value::Real(0.0), Value::Real(-0.0));
  EXPECT_NE(Value::Real(std::nan("")), Value::Real(std::nan("")));
}

TEST(ValueTest, ReadingTheWrongKindThrows) {
  EXPECT_THROW(Value().text(), std::bad_variant_access);
  EXPECT_THROW(Value::Text(u"1").integer(), std::bad_variant_access);
  EXPECT_THROW(Value::Integer(1).boolean(), std::bad_variant_access);
  EXPECT_THROW(Value::Boolean(true).real(), std::bad_variant_access);
  EXPECT_THROW(Value::Real(1).text(), std::bad_variant_access);
  EXPECT_EQ(Value::Text(u"moved").text(), u"moved");
}

TEST(ArgumentArrayTest, MissingElementsReadEmptyAndDropWrites) {
  ArgumentArray array({Value::Integer(1), Value::Text(u"a")});
  EXPECT_EQ(array.Get(1), Value::Text(u"a"));
  EXPECT_TRUE(array.Get(2).is_empty());
  EXPECT_TRUE(array.Get(-1).is_empty());
  array.Put(5, Value::Integer(9));
  array.Put(-1, Value::Integer(9));
  EXPECT_EQ(array.size(), 2u);
  EXPECT_FALSE(array.WasWritten(0));
  array.Put(0, Value::Boolean(true));
  EXPECT_TRUE(array.WasWritten(0));
  EXPECT_FALSE(array.WasWritten(1));
  EXPECT_FALSE(array.WasWritten(5));
  EXPECT_EQ(array.Get(0), Value::Boolean(true));
}

}  // namespace
}  // namespace kassivo
