#include "host/com/variant_values.h"

#include <gtest/gtest.h>
#include <oleauto.h>

#include <cmath>
#include <limits>

namespace kassivo::com {
namespace {

Value Read(VARIANT variant) {
  return ValueOfVariant(variant);
}

VARIANT Of(VARTYPE type) {
  VARIANT variant;
  VariantInit(&variant);
  variant.vt = type;
  return variant;
}

TEST(VariantValues, EveryIntegerKindWithinRangeIsAnInteger) {
  VARIANT v = Of(VT_I1);
  v.cVal = -5;
  EXPECT_EQ(Read(v), Value::Integer(-5));
  v = Of(VT_UI1);
  v.bVal = 250;
  EXPECT_EQ(Read(v), Value::Integer(250));
  v = Of(VT_I2);
  v.iVal = -32768;
  EXPECT_EQ(Read(v), Value::Integer(-32768));
  v = Of(VT_UI2);
  v.uiVal = 65535;
  EXPECT_EQ(Read(v), Value::Integer(65535));
  v = Of(VT_I4);
  v.lVal = std::numeric_limits<LONG>::min();
  EXPECT_EQ(Read(v), Value::Integer(std::numeric_limits<std::int32_t>::min()));
  v = Of(VT_INT);
  v.intVal = 7;
  EXPECT_EQ(Read(v), Value::Integer(7));
  v = Of(VT_UINT);
  v.uintVal = 7;
  EXPECT_EQ(Read(v), Value::Integer(7));
  v = Of(VT_I8);
  v.llVal = -42;
  EXPECT_EQ(Read(v), Value::Integer(-42));
  v = Of(VT_UI8);
  v.ullVal = 42;
  EXPECT_EQ(Read(v), Value::Integer(42));
}

TEST(VariantValues, WideIntegersOutsideThirtyTwoBitsBecomeReals) {
  VARIANT v = Of(VT_UI4);
  v.ulVal = 4000000000u;
  EXPECT_EQ(Read(v), Value::Real(4000000000.0));
  v = Of(VT_I8);
  v.llVal = -5000000000LL;
  EXPECT_EQ(Read(v), Value::Real(-5000000000.0));
  v = Of(VT_UI8);
  v.ullVal = 1ULL << 40;
  EXPECT_EQ(Read(v), Value::Real(1099511627776.0));
}

TEST(VariantValues, RealsCurrencyDecimalAndDates) {
  VARIANT v = Of(VT_R4);
  v.fltVal = 1.5f;
  EXPECT_EQ(Read(v), Value::Real(1.5));
  v = Of(VT_R8);
  v.dblVal = std::numeric_limits<double>::infinity();
  EXPECT_EQ(Read(v), Value::Real(std::numeric_limits<double>::infinity()));
  v = Of(VT_CY);
  v.cyVal.int64 = 1234567;  // 123.4567
  EXPECT_EQ(Read(v), Value::Real(123.4567));
  v = Of(VT_DATE);
  v.date = 45356.25;
  EXPECT_EQ(Read(v), Value::Real(45356.25));

  // A whole decimal is an integer when it fits, a fraction a real.
  VARIANT d;
  VariantInit(&d);
  ASSERT_EQ(VarDecFromR8(1000.0, &d.decVal), S_OK);
  d.vt = VT_DECIMAL;
  EXPECT_EQ(Read(d), Value::Integer(1000));
  ASSERT_EQ(VarDecFromR8(149.85, &d.decVal), S_OK);
  d.vt = VT_DECIMAL;
  EXPECT_EQ(Read(d), Value::Real(149.85));
  ASSERT_EQ(VarDecFromR8(1e12, &d.decVal), S_OK);
  d.vt = VT_DECIMAL;
  EXPECT_EQ(Read(d), Value::Real(1e12));
}

TEST(VariantValues, TextsBooleansAndTheEmptyKinds) {
  VARIANT v = Of(VT_BSTR);
  v.bstrVal = SysAllocString(L"Чек\0x");
  EXPECT_EQ(Read(v), Value::Text(u"Чек"));
  VariantClear(&v);
  v = Of(VT_BSTR);
  v.bstrVal = nullptr;  // a null BSTR is the empty text
  EXPECT_EQ(Read(v), Value::Text(u""));
  v = Of(VT_BOOL);
  v.boolVal = VARIANT_TRUE;
  EXPECT_EQ(Read(v), Value::Boolean(true));
  v.boolVal = 1;  // any non-zero is true
  EXPECT_EQ(Read(v), Value::Boolean(true));
  v.boolVal = VARIANT_FALSE;
  EXPECT_EQ(Read(v), Value::Boolean(false));
  for (VARTYPE type : {VT_EMPTY, VT_NULL, VT_ERROR, VT_DISPATCH, VT_UNKNOWN}) {
    VARIANT other = Of(type);
    other.punkVal = nullptr;
    EXPECT_EQ(Read(other), Value()) << type;
  }
}

TEST(VariantValues, ByReferenceReadsTheValueReferredTo) {
  LONG number = 12;
  VARIANT v = Of(VT_I4 | VT_BYREF);
  v.plVal = &number;
  EXPECT_EQ(Read(v), Value::Integer(12));
  BSTR text = SysAllocString(L"1");
  v = Of(VT_BSTR | VT_BYREF);
  v.pbstrVal = &text;
  EXPECT_EQ(Read(v), Value::Text(u"1"));
  SysFreeString(text);
  double real = 2.5;
  VARIANT inner = Of(VT_R8 | VT_BYREF);
  inner.pdblVal = &real;
  v = Of(VT_VARIANT | VT_BYREF);
  v.pvarVal = &inner;
  EXPECT_EQ(Read(v), Value::Real(2.5));
  // A null reference, and a chain of references to variants, read as empty.
  v = Of(VT_I4 | VT_BYREF);
  v.plVal = nullptr;
  EXPECT_EQ(Read(v), Value());
  VARIANT middle = Of(VT_VARIANT | VT_BYREF);
  middle.pvarVal = &v;
  VARIANT outer = Of(VT_VARIANT | VT_BYREF);
  outer.pvarVal = &middle;
  EXPECT_EQ(Read(outer), Value());
}

TEST(VariantValues, WrittenKinds) {
  ScopedVariant out;
  VariantOfValue(Value::Text(u"Нет ошибок."), out.get());
  EXPECT_EQ(out.get().vt, VT_BSTR);
  EXPECT_EQ(std::wstring(out.get().bstrVal), L"Нет ошибок.");
  VariantOfValue(Value::Boolean(true), out.get());  // the text is freed first
  EXPECT_EQ(out.get().vt, VT_BOOL);
  EXPECT_EQ(out.get().boolVal, VARIANT_TRUE);
  VariantOfValue(Value::Integer(-3), out.get());
  EXPECT_EQ(out.get().vt, VT_I4);
  EXPECT_EQ(out.get().lVal, -3);
  VariantOfValue(Value::Real(0.5), out.get());
  EXPECT_EQ(out.get().vt, VT_R8);
  VariantOfValue(Value(), out.get());
  EXPECT_EQ(out.get().vt, VT_EMPTY);
}

SAFEARRAY* ArrayOf(LONG lower, ULONG count) {
  SAFEARRAYBOUND bound{count, lower};
  return SafeArrayCreate(VT_VARIANT, 1, &bound);
}

TEST(VariantValues, ArgumentsAreReadFromTheLowerBoundAndOnlyWrittenOnesGoBack) {
  SAFEARRAY* array = ArrayOf(1, 3);  // a host may count from 1
  LONG index = 1;
  VARIANT first = Of(VT_I2);
  first.iVal = 5;
  ASSERT_EQ(SafeArrayPutElement(array, &index, &first), S_OK);
  index = 3;
  VARIANT third = Of(VT_BSTR);
  third.bstrVal = SysAllocString(L"keep");
  ASSERT_EQ(SafeArrayPutElement(array, &index, &third), S_OK);
  VariantClear(&third);

  ArgumentArray arguments = ReadArguments(array);
  ASSERT_EQ(arguments.size(), 3u);
  EXPECT_EQ(arguments.Get(0), Value::Integer(5));
  EXPECT_EQ(arguments.Get(1), Value());
  EXPECT_EQ(arguments.Get(2), Value::Text(u"keep"));

  arguments.Put(1, Value::Text(u"written"));
  EXPECT_TRUE(WriteBack(arguments, array));
  ScopedVariant element;
  index = 2;
  ASSERT_EQ(SafeArrayGetElement(array, &index, &element.get()), S_OK);
  EXPECT_EQ(std::wstring(element.get().bstrVal), L"written");
  ScopedVariant untouched;
  index = 1;
  ASSERT_EQ(SafeArrayGetElement(array, &index, &untouched.get()), S_OK);
  EXPECT_EQ(untouched.get().vt, VT_I2);  // not rewritten as VT_I4
  SafeArrayDestroy(array);
}

TEST(VariantValues, UnusableArraysReadAsNoElementsAndNeverCrash) {
  EXPECT_EQ(ReadArguments(nullptr).size(), 0u);
  SAFEARRAYBOUND bounds[2] = {{2, 0}, {2, 0}};
  SAFEARRAY* two_dimensions = SafeArrayCreate(VT_VARIANT, 2, bounds);
  EXPECT_EQ(ReadArguments(two_dimensions).size(), 0u);
  SafeArrayDestroy(two_dimensions);
  SAFEARRAYBOUND bound{3, 0};
  SAFEARRAY* numbers = SafeArrayCreate(VT_I4, 1, &bound);
  EXPECT_EQ(ReadArguments(numbers).size(), 0u);
  ArgumentArray written(std::vector<Value>(1));
  written.Put(0, Value::Integer(1));
  EXPECT_FALSE(WriteBack(written, numbers));
  SafeArrayDestroy(numbers);
  SAFEARRAY* empty = ArrayOf(0, 0);
  EXPECT_EQ(ReadArguments(empty).size(), 0u);
  SafeArrayDestroy(empty);
}

}  // namespace
}  // namespace kassivo::com
