#include "package/check_codes.h"

#include <gtest/gtest.h>

#include <string_view>

#include "common/text.h"

namespace kassivo {
namespace {

TEST(CheckCodes, OperationTypesHaveNamesOnlyFromOneToFour) {
  EXPECT_EQ(OperationTypeName(1), u"ПРИХОД");
  EXPECT_EQ(OperationTypeName(2), u"ВОЗВРАТ ПРИХОДА");
  EXPECT_EQ(OperationTypeName(3), u"РАСХОД");
  EXPECT_EQ(OperationTypeName(4), u"ВОЗВРАТ РАСХОДА");
  for (const std::int32_t code : {0, 5, -1, 2147483647, -2147483647 - 1}) {
    EXPECT_EQ(OperationTypeName(code), u"") << code;
  }
}

TEST(CheckCodes, TaxationSystemsHaveNamesOnlyFromZeroToFive) {
  EXPECT_EQ(TaxationSystemName(0), u"ОБЩАЯ");
  EXPECT_EQ(TaxationSystemName(2), u"УПР.ДОХОД МИНУС РАСХОД");
  EXPECT_EQ(TaxationSystemName(5), u"ПАТЕНТНАЯ СИСТЕМА НАЛОГ.");
  for (const std::int32_t code : {-1, 6, 32, -2147483647 - 1}) {
    EXPECT_EQ(TaxationSystemName(code), u"") << code;
  }
}

TEST(CheckCodes, PaymentMethodsCompareAsExactTexts) {
  EXPECT_EQ(PaymentMethodName(u"1"), u"ПРЕДОПЛАТА 100%");
  EXPECT_EQ(PaymentMethodName(u"4"), u"ПОЛНЫЙ РАСЧЕТ");
  EXPECT_EQ(PaymentMethodName(u"7"), u"ОПЛАТА КРЕДИТА");
  for (const std::u16string_view key : {u"", u"0", u"8", u"01", u"4.0", u"+4", u"１", u"40", u"14",
                                        u"4 ", u"/", u":", u"4:", u"4/", u"\u0434"}) {
    EXPECT_EQ(PaymentMethodName(key), u"<!>") << ToUtf8(key);
  }
}

TEST(CheckCodes, CalculationSubjectsSkipTwentyEightAndTwentyNine) {
  EXPECT_EQ(CalculationSubjectName(u"1"), u"ТОВАР");
  EXPECT_EQ(CalculationSubjectName(u"10"), u"ПЛАТЕЖ");
  EXPECT_EQ(CalculationSubjectName(u"26"), u"ПЛАТЕЖ КАЗИНО");
  EXPECT_EQ(CalculationSubjectName(u"27"), u"\"ВЫДАЧА ДЕНЕЖНЫХ СРЕДСТВ");
  EXPECT_EQ(CalculationSubjectName(u"27").size(), 24u);
  EXPECT_EQ(CalculationSubjectName(u"30"), u"АТНМ");
  EXPECT_EQ(CalculationSubjectName(u"33"), u"ТМ");
  for (const std::u16string_view key :
       {u"", u"0", u"28", u"29", u"34", u"01", u"1 ", u"100", u"331", u"3:", u"3/", u"00", u"99"}) {
    EXPECT_EQ(CalculationSubjectName(key), u"<!>") << ToUtf8(key);
  }
  for (std::int64_t code = 1; code <= 33; ++code) {
    const bool skipped = code == 28 || code == 29;
    EXPECT_EQ(CalculationSubjectName(DecimalText(code)) == u"<!>", skipped) << code;
    EXPECT_EQ(PaymentMethodName(DecimalText(code)) == u"<!>", code > 7) << code;
  }
}

}  // namespace
}  // namespace kassivo
