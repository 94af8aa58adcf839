#include <gtest/gtest.h>

#include <limits>
#include <optional>

#include "common/text.h"
#include "device/emulator.h"
#include "documents/check_answer.h"
#include "support/test_platform.h"

namespace kassivo {
namespace {

using testing::Call;
using testing::OpenDevice;
using testing::TapeTexts;
using testing::TestProcess;

std::u16string Spaces(std::size_t n) {
  return std::u16string(n, u' ');
}

class CheckTest : public ::testing::Test {
 protected:
  struct Run {
    bool result = false;
    std::optional<std::u16string> failure;  // the message a refused check throws
    std::u16string answer;
    std::vector<std::u16string> tape;  // without the banner and the title line
  };

  Run Check(std::u16string_view package, bool correction = false) {
    Run run;
    try {
      run.result = device_.ProcessCheck(false, correction, std::u16string(package), run.answer);
    } catch (const DriverError& error) {
      run.failure = error.message();
    }
    run.tape = TapeTexts(state());
    if (run.tape.size() >= 2) run.tape.erase(run.tape.begin(), run.tape.begin() + 2);
    return run;
  }

  // The entries after the eleven header lines.
  static std::vector<std::u16string> AfterHeader(const Run& run) {
    if (run.tape.size() < 11) return {};
    return {run.tape.begin() + 11, run.tape.end()};
  }

  ProcessState& state() { return *process_.state; }

  TestProcess process_;
  TFPEmulator device_{*process_.state};
};

constexpr std::u16string_view kMilk =
    u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    u"<CheckPackage>\n"
    u"  <Parameters CashierName=\"Петрова\" OperationType=\"1\"/>\n"
    u"  <Positions>\n"
    u"    <FiscalString Name=\"Молоко\" Quantity=\"2\" PriceWithDiscount=\"50\"\n"
    u"        AmountWithDiscount=\"95\" DiscountAmount=\"5\" VATRate=\"10\"\n"
    u"        PaymentMethod=\"4\" CalculationSubject=\"1\"/>\n"
    u"  </Positions>\n"
    u"  <Payments Cash=\"100\"/>\n"
    u"</CheckPackage>";

std::u16string Answer(std::int32_t check, std::u16string_view sign, std::int32_t shift = 0) {
  return u"<?xml version=\"1.0\" encoding=\"UTF-8\"?> \r<DocumentOutputParameters>\r"
         u"<Parameters\rShiftNumber=\"" +
         DecimalText(shift) + u"\"\rCheckNumber=\"" + DecimalText(check) +
         u"\"\rShiftClosingCheckNumber=\"" + DecimalText(check) +
         u"\"\rAddressSiteInspections=\"\"\rFiscalSign=\"" + std::u16string(sign) +
         u"\"\rDateTime=\"\"\r/></DocumentOutputParameters>";
}

TEST_F(CheckTest, PrintsTheMilkCheckAndAnswers) {
  const Run run = Check(kMilk);
  EXPECT_TRUE(run.result);
  ASSERT_EQ(run.tape.size(), 27u);
  EXPECT_EQ(run.tape[6], u"ЧЕК ККТ - ПРИХОД");
  EXPECT_EQ(run.tape[7], u"КАССИР: Петрова" + Spaces(21));
  const std::u16string dashes(36, u'-');
  EXPECT_EQ(AfterHeader(run), (std::vector<std::u16string>{
                                  dashes,
                                  u"Молоко" + Spaces(30),
                                  Spaces(15) + u"2.000 x 50.00 = 95.00",
                                  u"  СКИДКА = 5.00" + Spaces(16) + u"НДС10",
                                  u"ПОЛНЫЙ РАСЧЕТ" + Spaces(18) + u"ТОВАР",
                                  dashes,
                                  Spaces(13) + u"ИТОГ = 95.00" + Spaces(11),
                                  dashes,
                                  Spaces(8) + u"НАЛИЧНЫМИ = 100.00" + Spaces(10),
                                  Spaces(5) + u"БЕЗНАЛИЧНЫМИ = 0.00" + Spaces(12),
                                  Spaces(2) + u"ПРЕДВАРИТЕЛЬНАЯ = 0.00" + Spaces(12),
                                  Spaces(6) + u"ПОСЛЕДУЮЩАЯ = 0.00" + Spaces(12),
                                  Spaces(7) + u"ИНАЯ ФОРМА = 0.00" + Spaces(12),
                                  dashes,
                                  Spaces(12) + u"СДАЧА = 5.00" + Spaces(12),
                                  std::u16string(36, u'='),
                              }));
  EXPECT_EQ(run.answer, Answer(1, u"FF1275SS623"));
  EXPECT_EQ(device_.FDocSum, 95);
  EXPECT_TRUE(device_.FFiscal);
}

TEST_F(CheckTest, CountsEveryCheckAndWrapsTheFiscalSign) {
  state().Counters.CheckNumber = 4;
  state().Counters.ShiftNumber = 2;
  const Run fifth = Check(kMilk);
  EXPECT_NE(
      fifth.answer.find(u"ShiftNumber=\"2\"\rCheckNumber=\"5\"\rShiftClosingCheckNumber=\"5\""),
      std::u16string::npos);
  EXPECT_NE(fifth.answer.find(u"FiscalSign=\"FF6375SS3115\""), std::u16string::npos);
  EXPECT_NE(Check(kMilk).answer.find(u"FiscalSign=\"FF7650SS3738\""), std::u16string::npos);
  // 1684365 · 1275 no longer fits in 32 bits.
  state().Counters.CheckNumber = 1684364;
  EXPECT_NE(Check(kMilk).answer.find(u"FiscalSign=\"FF-2147401921SS1049359395\""),
            std::u16string::npos);
  state().Counters.CheckNumber = std::numeric_limits<std::int32_t>::max();
  const Run wrapped = Check(kMilk);
  EXPECT_EQ(state().Counters.CheckNumber, std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(wrapped.answer,
            Answer(std::numeric_limits<std::int32_t>::min(), u"FF-2147483648SS-2147483648", 2));
}

TEST_F(CheckTest, TheInspectionSiteIsEscapedInTheAnswer) {
  state().Registration.FNSURL = u"https://nalog.gov.ru/?a=1&b=<\"2\">\r\n'";
  EXPECT_NE(Check(kMilk).answer.find(u"AddressSiteInspections=\"https://nalog.gov.ru/?a=1&#38;"
                                     u"b=&#60;&#34;2&#34;&#62;&#13;&#10;&#39;\"\r"),
            std::u16string::npos);
}

TEST_F(CheckTest, ABlankPackageIsRefusedAndTakesNoNumber) {
  for (const std::u16string_view blank : {u" \r\n\t ", u""}) {
    const Run run = Check(blank);
    EXPECT_EQ(run.failure, u"Пакет чека пуст.");
    EXPECT_EQ(run.tape, std::vector<std::u16string>{u"Error:Пакет чека пуст."});
    EXPECT_EQ(TapeTexts(state()).size(), 3u);
    EXPECT_EQ(run.answer, u"");
    EXPECT_EQ(state().Counters.CheckNumber, 0);
  }
}

TEST_F(CheckTest, AReadingFailureIsPrintedWhereItHappensAndRefusesTheCheck) {
  // Wide enough that the error line shows the whole message.
  state().Settings.Size = 200;
  struct Case {
    std::u16string_view package;
    std::size_t lines_before;  // tape entries before the error line
  };
  const Case cases[] = {
      {u"<CheckPackage><Parameters></CheckPackage>", 0},
      {u"<CheckPackage/>", 0},
      {u"<CheckPackage><Parameters OperationType='x' CashierName='a'/><Positions/></CheckPackage>",
       0},
      // Header, one customer line, then the taxation system fails.
      {u"<CheckPackage><Parameters CustomerEmail='a@b' TaxationSystem='1.0'/><Positions/>"
       u"</CheckPackage>",
       12},
      // Header and one customer detail line, then no positions section.
      {u"<CheckPackage><Parameters><CustomerDetail Info='ООО'/></Parameters></CheckPackage>", 12},
  };
  state().Counters.CheckNumber = 6;
  for (const Case& c : cases) {
    for (const bool correction : {false, true}) {
      const Run run = Check(c.package, correction);
      SCOPED_TRACE(ToUtf8(c.package));
      ASSERT_TRUE(run.failure);
      EXPECT_FALSE(run.failure->empty());
      ASSERT_EQ(run.tape.size(), c.lines_before + 1);
      EXPECT_EQ(run.tape.back(), u"Error:" + *run.failure);
      EXPECT_EQ(run.answer, u"");
      EXPECT_EQ(state().Counters.CheckNumber, 6);
    }
  }
  // The next check that is formed takes the number the refused ones did not.
  EXPECT_EQ(Check(kMilk).answer, Answer(7, FiscalSign(7)));
}

TEST_F(CheckTest, TheTaxationSystemFailureComesAfterTheCustomerLines) {
  const Run run = Check(
      u"<C><Parameters CustomerPhone='+7900' TaxationSystem='0x10'><CorrectionData Type='1'/>"
      u"</Parameters><Positions/><Payments/></C>",
      true);
  const std::vector<std::u16string> after = AfterHeader(run);
  ASSERT_EQ(after.size(), 4u);
  EXPECT_EQ(after[0], u"КОРРЕКЦИЯ");
  EXPECT_EQ(after[1], u"*      Тип коррекции:1" + Spaces(14));
  EXPECT_EQ(after[2], u" Покупатель телеф.: +7900" + Spaces(11));
  EXPECT_TRUE(after[3].starts_with(u"Error:"));
  EXPECT_NE(after[3].find(u"TaxationSystem"), std::u16string::npos);
  EXPECT_TRUE(run.failure);
}

TEST_F(CheckTest, TheDispatcherPassesBothMethodsThrough) {
  auto component = process_.NewComponent();
  const std::u16string id = OpenDevice(*component);
  ArgumentArray check({Value::Text(id), Value::Boolean(true), Value::Text(std::u16string(kMilk)),
                       Value::Text(u"old")});
  EXPECT_EQ(Call(*component, u"СформироватьЧек", check), Value::Boolean(true));
  EXPECT_EQ(state().LastErrorText, u"Нет ошибок.");
  EXPECT_EQ(check.Get(3), Value::Text(Answer(1, u"FF1275SS623")));
  // A refused check answers false with its message and an empty answer.
  ArgumentArray refused({Value::Text(id), Value::Boolean(true), Value::Text(u"<C/>"), {}});
  EXPECT_EQ(Call(*component, u"ProcessCheck", refused), Value::Boolean(false));
  EXPECT_EQ(state().LastErrorText, u"У элемента \"C\" нет дочернего узла с индексом 0.");
  EXPECT_EQ(refused.Get(3), Value::Text(u""));
  ArgumentArray blank({Value::Text(id), {}, Value::Text(u"old")});
  EXPECT_EQ(Call(*component, u"СформироватьЧекКоррекции", blank), Value::Boolean(false));
  EXPECT_EQ(state().LastErrorText, u"Пакет чека пуст.");
  EXPECT_EQ(blank.Get(2), Value::Text(u""));
  ArgumentArray correction({Value::Text(id), Value::Text(std::u16string(kMilk)), {}});
  EXPECT_EQ(Call(*component, u"ProcessCorrectionCheck", correction), Value::Boolean(true));
  EXPECT_EQ(correction.Get(2), Value::Text(Answer(2, u"FF2550SS1246")));
  EXPECT_EQ(TapeTexts(state())[8], u"ЧЕК КОРРЕКЦИИ - ПРИХОД");
}

TEST_F(CheckTest, CorrectionDataPrintsOnlyOnACorrectionCheck) {
  constexpr std::u16string_view package =
      u"<C><Parameters OperationType='2'><CorrectionData/>"
      u"<CorrectionData Number=' 17 ' Dat\u0435=' 01.03.2024 ' Type='0' Description='ошибка'/>"
      u"</Parameters><Positions/></C>";
  const Run correction = Check(package, true);
  EXPECT_EQ(correction.tape[6], u"ЧЕК КОРРЕКЦИИ - ВОЗВРАТ ПРИХОДА");
  EXPECT_EQ(AfterHeader(correction), (std::vector<std::u16string>{
                                         u"КОРРЕКЦИЯ",
                                         u"КОРРЕКЦИЯ",
                                         u"*      Тип коррекции:0" + Spaces(14),
                                         u"*           Описание:ошибка" + Spaces(9),
                                         u"*     Дата расчета:01.03.2024" + Spaces(7),
                                         u"* Номер предписания:17" + Spaces(14),
                                         std::u16string(36, u'='),
                                     }));
  const Run plain = Check(package);
  EXPECT_EQ(plain.tape[6], u"ЧЕК ККТ - ВОЗВРАТ ПРИХОДА");
  EXPECT_EQ(AfterHeader(plain), std::vector<std::u16string>{std::u16string(36, u'=')});
}

// Mended: hosts spell the correction date with a Latin e.
TEST_F(CheckTest, ACorrectionDateSpelledTheStandardWayIsPrinted) {
  const Run run = Check(
      u"<C><Parameters><CorrectionData Date='05.03.2024'/></Parameters><Positions/></C>", true);
  EXPECT_EQ(AfterHeader(run)[1], u"*     Дата расчета:05.03.2024" + Spaces(7));
}

// Mended: hosts spell the sale address with a final s.
TEST_F(CheckTest, ASaleAddressSpelledTheStandardWayIsPrinted) {
  const Run run =
      Check(u"<C><Parameters SaleAddress='г. Тверь' SaleLocation='Зал 1'/><Positions/></C>");
  EXPECT_EQ(run.tape[9], u"г. Тверь");
  EXPECT_EQ(run.tape[10], u"Зал 1");
}

// Mended: hosts spell the country of origin with a Latin C.
TEST_F(CheckTest, ACountrySpelledTheStandardWayIsPrinted) {
  const Run run =
      Check(u"<C><Parameters/><Positions><FiscalString CountryOfOrigin='156'/></Positions></C>");
  EXPECT_EQ(AfterHeader(run)[5], Spaces(22) + u"КОД СТРАНЫ:156");
}

// Mended: elements after the payments no longer hide the totals.
TEST_F(CheckTest, TotalsArePrintedWhenElementsFollowThePayments) {
  const Run run = Check(
      u"<C><Parameters/><Positions><FiscalString AmountWithDiscount='10'/></Positions>"
      u"<Payments ElectronicPayment='10'/><ElectronicPaymentInfo PaymentType='1'/></C>");
  const std::vector<std::u16string> after = AfterHeader(run);
  ASSERT_EQ(after.size(), 15u);
  EXPECT_EQ(after[6], Spaces(13) + u"ИТОГ = 10.00" + Spaces(11));
  EXPECT_EQ(after[9], Spaces(5) + u"БЕЗНАЛИЧНЫМИ = 10.00" + Spaces(11));
  EXPECT_EQ(after.back(), std::u16string(36, u'='));
}

TEST_F(CheckTest, WithoutParametersThereIsNoHeaderButDetailsStillPrint) {
  const Run run = Check(
      u"<C><Params OperationType='x'><CustomerDetail Info=' ООО Ромашка ' INN='7700'/></Params>"
      u"<Goods/><Payments Cash='5'/></C>");
  ASSERT_EQ(run.tape.size(), 13u);
  EXPECT_EQ(run.tape[0], u"ООО Ромашка");
  EXPECT_EQ(run.tape[1], u"ИНН:7700");
  EXPECT_EQ(run.tape[3], Spaces(13) + u"ИТОГ = 0.00" + Spaces(12));
  EXPECT_EQ(run.tape[11], Spaces(12) + u"СДАЧА = 5.00" + Spaces(12));
}

TEST_F(CheckTest, NothingIsPrintedWithTheWindowOffButTheCheckIsCounted) {
  state().Settings.WindowShowType = 0;
  const Run run = Check(kMilk);
  EXPECT_TRUE(run.result);
  EXPECT_TRUE(TapeTexts(state()).empty());
  EXPECT_EQ(run.answer, Answer(1, u"FF1275SS623"));
  EXPECT_EQ(device_.FDocSum, 95);
  const Run failed = Check(u"<C><Parameters/></C>");
  EXPECT_TRUE(failed.failure);
  EXPECT_TRUE(TapeTexts(state()).empty());
  EXPECT_EQ(failed.answer, u"");
  EXPECT_EQ(Check(kMilk).answer, Answer(2, u"FF2550SS1246"));
}

TEST_F(CheckTest, SumsOverflowingToInfinityPrintAsInf) {
  const Run run = Check(
      u"<C><Parameters/><Positions>"
      u"<FiscalString AmountWithDiscount='1.7e308' PriceWithDiscount='1e308' Quantity='1e300'/>"
      u"<FiscalString AmountWithDiscount='1.7e308'/>"
      u"<FiscalString AmountWithDiscount='-1.7e308'/></Positions>"
      u"<Payments Cash='1.7e308' Barter='1.7e308'/></C>");
  EXPECT_TRUE(run.result);
  EXPECT_EQ(device_.FDocSum, std::numeric_limits<double>::infinity());
  const std::vector<std::u16string> after = AfterHeader(run);
  EXPECT_EQ(after[16], Spaces(13) + u"ИТОГ = INF" + Spaces(13));
  // Paid and total are both infinite: no change line.
  EXPECT_EQ(after[after.size() - 2], std::u16string(36, u'-'));
}

TEST_F(CheckTest, ATwoThousandPositionCheckHasTheExpectedLength) {
  std::u16string package = u"<C><Parameters/><Positions>";
  for (int i = 0; i < 2000; ++i) {
    package += u"<FiscalString Name='Товар " + DecimalText(i) +
               u"' Quantity='1' PriceWithDiscount='1.25' AmountWithDiscount='1.25' "
               u"PaymentMethod='4' CalculationSubject='1' VATRate='20'/>";
  }
  package += u"</Positions><Payments Cash='3000'/></C>";
  const Run run = Check(package);
  // Header, five lines a position, nine total lines, change, double separator.
  EXPECT_EQ(run.tape.size(), 11u + 2000u * 5u + 9u + 1u + 1u);
  EXPECT_EQ(device_.FDocSum, 2500);
  EXPECT_EQ(run.tape[run.tape.size() - 2], Spaces(12) + u"СДАЧА = 500.00" + Spaces(10));
}

}  // namespace
}  // namespace kassivo
