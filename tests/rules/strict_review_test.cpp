// Strict mode through the driver's calls: what a refusal leaves unchanged,
// what a formed check changes, and the calendar the shift's 24 hours are
// counted on.
#include <gtest/gtest.h>

#include "documents/document_fixture.h"
#include "rules/header_rules.h"
#include "rules/shift_rules.h"

namespace kassivo::testing {
namespace {

constexpr std::u16string_view kCode = u"0104600439931256215Zq";

class StrictModeTest : public DocumentTest {
 protected:
  StrictModeTest() {
    state.Registration.TaxationSystems = u"0";
    state.Registration.IsMarking = true;
    EXPECT_EQ(Run(u"OpenShift", u""), True());
    state.Options.Strict = true;
    EXPECT_EQ(Run(u"OpenSessionRegistrationKM", {Value::Text(id)}), True());
    EXPECT_EQ(Run(u"RequestKM", u"<RequestKM GUID='G' MarkingCode='" + std::u16string(kCode) +
                                    u"' MeasureOfQuantity='0'/>"),
              True());
    EXPECT_EQ(Run(u"ConfirmKM", {Value::Text(id), Value::Text(u"G"), Value::Integer(0)}), True());
    EXPECT_EQ(Run(u"CloseSessionRegistrationKM", {Value::Text(id)}), True());
  }

  Value Check(std::u16string_view cash) {
    const std::u16string package =
        u"<CheckPackage><Parameters CashierName='К' OperationType='1' TaxationSystem='0'/>"
        u"<Positions><FiscalString Name='Молоко' Quantity='1' PriceWithDiscount='90' "
        u"AmountWithDiscount='90' VATRate='10' PaymentMethod='4' CalculationSubject='33' "
        u"MeasureOfQuantity='0' MarkingCode='" +
        std::u16string(kCode) + u"'/></Positions><Payments Cash='" + std::u16string(cash) +
        u"'/></CheckPackage>";
    return Run(u"ProcessCheck", {Value::Text(id), Value::Boolean(false), Value::Text(package),
                                 Value::Text(u"untouched")});
  }
};

TEST_F(StrictModeTest, RefusedCheckChangesNothingAndTheFormedOneUsesItsCodeUp) {
  const std::int32_t number = state.Counters.CheckNumber;
  EXPECT_EQ(Check(u"50"), False());
  EXPECT_EQ(LastError(), u"Сумма оплаты 50.00 меньше суммы чека 90.00.");
  EXPECT_EQ(Output(3), u"");
  EXPECT_EQ(Tape(), (std::vector<std::u16string>{
                        kBanner, kTitleLine, u"ОТКАЗ ККТ", u"Сумма оплаты 50.00 меньше суммы чека",
                        u"90.00.                              ", std::u16string(36, u'=')}));
  EXPECT_EQ(state.Counters.CheckNumber, number);
  EXPECT_EQ(state.DrawerCash, ExactDecimal());
  EXPECT_TRUE(state.Marking.Find(kCode));

  EXPECT_EQ(Check(u"100"), True());
  EXPECT_EQ(state.Counters.CheckNumber, number + 1);
  EXPECT_EQ(state.DrawerCash, ExactDecimal::FromUnits(false, 90, 0));  // 100 paid, 10 change
  EXPECT_FALSE(state.Marking.Find(kCode));
  EXPECT_EQ(Check(u"100"), False());
  EXPECT_EQ(LastError(), u"Позиция 1: код маркировки не проверен (не было запроса КМ).");
}

TEST(StrictCalendar, SecondsBetweenCrossMonthsYearsAndLeapDays) {
  EXPECT_EQ(SecondsBetween({2024, 12, 31, 12, 0, 0, 0}, {2025, 1, 1, 12, 0, 0, 0}), 86400);
  EXPECT_EQ(SecondsBetween({2024, 2, 28, 0, 0, 0, 0}, {2024, 3, 1, 0, 0, 0, 0}), 2 * 86400);
  EXPECT_EQ(SecondsBetween({2023, 2, 28, 0, 0, 0, 0}, {2023, 3, 1, 0, 0, 0, 0}), 86400);
  EXPECT_EQ(SecondsBetween({2024, 3, 5, 9, 7, 4, 0}, {2024, 3, 5, 9, 7, 3, 0}), -1);
}

TEST(StrictCalendar, CorrectionDatesInBothForms) {
  EXPECT_TRUE(IsDateText(u"04.03.2024"));
  EXPECT_TRUE(IsDateText(u"29.02.2024"));
  EXPECT_TRUE(IsDateText(u"2024-03-04"));
  EXPECT_TRUE(IsDateText(u"2024-03-04T10:00:00"));
  EXPECT_FALSE(IsDateText(u"29.02.2023"));
  EXPECT_FALSE(IsDateText(u"31.04.2024"));
  EXPECT_FALSE(IsDateText(u"4.3.2024"));
  EXPECT_FALSE(IsDateText(u"вчера"));
  EXPECT_FALSE(IsDateText(u""));
}

}  // namespace
}  // namespace kassivo::testing
