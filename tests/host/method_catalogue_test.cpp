#include "host/method_catalogue.h"

#include <gtest/gtest.h>

#include <set>

#include "host/component.h"

namespace kassivo {
namespace {

TEST(MethodCatalogue, FindMethodIsExactAndOrdinal) {
  std::int32_t number = 0;
  EXPECT_EQ(DriverComponent::FindMethod(u"Open", number), HResult::kOk);
  EXPECT_EQ(number, Number(Method::kOpen));
  EXPECT_EQ(DriverComponent::FindMethod(u"Подключить", number), HResult::kOk);
  EXPECT_EQ(number, Number(Method::kOpen));
  for (const char16_t* miss : {u"open", u"OPEN", u" Open", u"Open ", u"", u"Open;Подключить"}) {
    number = 0;
    EXPECT_EQ(DriverComponent::FindMethod(miss, number), HResult::kFalse);
    EXPECT_EQ(number, -1);
  }
}

TEST(MethodCatalogue, EveryRowFindsItselfByBothNames) {
  std::set<std::u16string> names;
  for (std::int32_t i = 0; i < kMethodCount; ++i) {
    std::u16string english, russian;
    ASSERT_EQ(DriverComponent::GetMethodName(i, 0, english), HResult::kOk);
    ASSERT_EQ(DriverComponent::GetMethodName(i, 1, russian), HResult::kOk);
    EXPECT_TRUE(names.insert(english).second);
    EXPECT_TRUE(names.insert(russian).second);
    for (char16_t c : english) EXPECT_LT(c, 0x80) << "English names are Latin only";
    for (char16_t c : russian) {
      EXPECT_TRUE(c >= 0x400 && c <= 0x4FF) << "Russian names are Cyrillic only";
    }
    std::int32_t found = -1;
    DriverComponent::FindMethod(english, found);
    EXPECT_EQ(found, i);
    DriverComponent::FindMethod(russian, found);
    EXPECT_EQ(found, i);
  }
}

TEST(MethodCatalogue, NameAndParameterQueriesOutsideTheTable) {
  std::u16string name = u"stale";
  EXPECT_EQ(DriverComponent::GetMethodName(Number(Method::kOpen), 7, name), HResult::kOk);
  EXPECT_EQ(name, u"Подключить");
  EXPECT_EQ(DriverComponent::GetMethodName(kMethodCount, 0, name), HResult::kFalse);
  EXPECT_EQ(name, u"");
  EXPECT_EQ(DriverComponent::GetMethodName(-1, 0, name), HResult::kFalse);

  std::int32_t count = -5;
  EXPECT_EQ(DriverComponent::GetNParams(Number(Method::kPayByPaymentCard), count), HResult::kOk);
  EXPECT_EQ(count, 7);
  EXPECT_EQ(DriverComponent::GetNParams(Number(Method::kPrintSlipOnTerminal), count), HResult::kOk);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(DriverComponent::GetNParams(kMethodCount, count), HResult::kFalse);
  EXPECT_EQ(count, 0);

  std::int32_t has = 0;
  EXPECT_EQ(DriverComponent::HasRetVal(100, has), HResult::kOk);
  EXPECT_EQ(has, 1);
  Value def = Value::Integer(3);
  EXPECT_EQ(DriverComponent::GetParamDefValue(Number(Method::kGetParameters), 9, def),
            HResult::kOk);
  EXPECT_TRUE(def.is_empty());
  EXPECT_EQ(DriverComponent::GetNMethods(), 42);
}

TEST(MethodCatalogue, TermStringSplitsAtTheFirstSemicolon) {
  EXPECT_EQ(TermString(u"A;B;C", 0), u"A");
  EXPECT_EQ(TermString(u"A;B;C", 1), u"B;C");
  EXPECT_EQ(TermString(u"A", 0), u"A");
  EXPECT_EQ(TermString(u"A", 3), u"");
}

}  // namespace
}  // namespace kassivo
