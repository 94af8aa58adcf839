#include "documents/check_rendering.h"

#include <gtest/gtest.h>

#include <limits>

#include "support/test_platform.h"

namespace kassivo {
namespace {

using testing::TapeTexts;
using testing::TestProcess;

std::u16string Spaces(std::size_t n) {
  return std::u16string(n, u' ');
}

TEST(CheckRenderingTexts, PadTotalLabelMakesSeventeenThenEquals) {
  EXPECT_EQ(PadTotalLabel(u"ИТОГ"), Spaces(13) + u"ИТОГ = ");
  EXPECT_EQ(PadTotalLabel(u"ПРЕДВАРИТЕЛЬНАЯ"), Spaces(2) + u"ПРЕДВАРИТЕЛЬНАЯ = ");
  EXPECT_EQ(PadTotalLabel(u"ABCDEFGHIJKLMNOPQ"), u"ABCDEFGHIJKLMNOPQ = ");
  EXPECT_EQ(PadTotalLabel(u"ABCDEFGHIJKLMNOPQRSTU"), u"ABCDEFGHIJKLMNOPQRSTU = ");
  EXPECT_EQ(PadTotalLabel(u""), Spaces(17) + u" = ");
}

TEST(CheckRenderingTexts, PadPairJustifiesOrJoins) {
  EXPECT_EQ(PadPair(u"ab", u"cd", 8), u"ab    cd");
  EXPECT_EQ(PadPair(u"abcde", u"fgh", 8), u"abcdefgh");
  EXPECT_EQ(PadPair(u"abcdef", u"ghi", 8), u"abcdefghi");
  EXPECT_EQ(PadPair(u"", u"", 4), Spaces(4));
  EXPECT_EQ(PadPair(u"a", u"b", 0), u"ab");
  EXPECT_EQ(PadPair(u"a", u"b", -5), u"ab");
  // Wider than any tape.
  EXPECT_EQ(PadPair(u"a", u"b", 3000), u"a" + Spaces(2998) + u"b");
}

TEST(CheckRenderingTexts, VatAndDiscountTexts) {
  EXPECT_EQ(VatText(std::nullopt), u"");
  EXPECT_EQ(VatText(u"none"), u"БЕЗ НДС");
  EXPECT_EQ(VatText(u"None"), u"НДСNone");
  EXPECT_EQ(VatText(u"20"), u"НДС20");
  EXPECT_EQ(VatText(u"22/122"), u"НДС22/122");
  EXPECT_EQ(VatText(u""), u"НДС");
  const NumberFormat format;
  EXPECT_EQ(DiscountText(0, format), u"");
  EXPECT_EQ(DiscountText(3, format), u"  СКИДКА = 3.00");
  EXPECT_EQ(DiscountText(-3, format), u" НАЦЕНКА = 3.00");
  EXPECT_EQ(DiscountText(-1234.565, format), u" НАЦЕНКА = 1,234.57");
}

// Prints one fiscal string on a fresh tape and returns the lines it added.
std::vector<std::u16string> FiscalLines(std::int32_t size, const FiscalString& item,
                                        NumberFormat format = {}) {
  TestProcess process;
  process.state->platform().number_format = format;
  process.state->Settings.Size = size;
  process.state->Receipt.BeginDocument();
  CheckRenderer(*process.state).Fiscal(item);
  std::vector<std::u16string> lines = TapeTexts(*process.state);
  lines.erase(lines.begin(), lines.begin() + 2);
  return lines;
}

FiscalString Milk() {
  FiscalString item;
  item.name = u"Молоко";
  item.quantity = 2;
  item.price = 50;
  item.amount = 95;
  item.discount = 5;
  item.vat_rate = u"10";
  item.payment_method = u"4";
  item.calculation_subject = u"1";
  return item;
}

TEST(CheckRenderingFiscal, WideLayoutFromThirtySix) {
  EXPECT_EQ(FiscalLines(36, Milk()), (std::vector<std::u16string>{
                                         u"Молоко" + Spaces(30),
                                         Spaces(15) + u"2.000 x 50.00 = 95.00",
                                         u"  СКИДКА = 5.00" + Spaces(16) + u"НДС10",
                                         u"ПОЛНЫЙ РАСЧЕТ" + Spaces(18) + u"ТОВАР",
                                     }));
}

TEST(CheckRenderingFiscal, NarrowLayoutBelowThirtySix) {
  FiscalString item = Milk();
  item.amount = 12.5;
  EXPECT_EQ(FiscalLines(35, item), (std::vector<std::u16string>{
                                       u"Молоко" + Spaces(29),
                                       u"2.000 x 50.00" + Spaces(22),
                                       Spaces(28) + u" = 12.5",
                                       u"  СКИДКА = 5.00" + Spaces(15) + u"НДС10",
                                       u"ПОЛНЫЙ РАСЧЕТ" + Spaces(17) + u"ТОВАР",
                                   }));
  EXPECT_EQ(FiscalLines(36, item)[1], Spaces(15) + u"2.000 x 50.00 = 12.50");
}

TEST(CheckRenderingFiscal, LayoutFollowsTheStoredSizeNotTheCappedWidth) {
  // A stored Size beyond the tape's cap still selects the wide layout, and the
  // discount line is justified against the width actually printed.
  const std::vector<std::u16string> lines = FiscalLines(5000, Milk());
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[1].size(), static_cast<std::size_t>(kMaxTapeWidth));
  EXPECT_TRUE(lines[1].ends_with(u"2.000 x 50.00 = 95.00"));
  EXPECT_TRUE(lines[2].ends_with(u"НДС10"));
  EXPECT_TRUE(lines[3].ends_with(u"ТОВАР"));
  // Huge and negative stored sizes never exhaust memory.
  EXPECT_EQ(FiscalLines(std::numeric_limits<std::int32_t>::max(), Milk()).size(), 4u);
  const std::vector<std::u16string> none = FiscalLines(-7, Milk());
  ASSERT_EQ(none.size(), 5u);  // narrow layout, every line empty
  for (const auto& line : none) EXPECT_EQ(line, u"");
}

TEST(CheckRenderingFiscal, EmptyDiscountAndVatGiveABlankLineAndUnknownCodesShowMarks) {
  FiscalString item;
  item.discount = -3;
  item.vat_rate = u"none";
  item.calculation_subject = u"28";
  const std::vector<std::u16string> lines = FiscalLines(36, item);
  EXPECT_EQ(lines[0], u"<>" + Spaces(34));
  EXPECT_EQ(lines[2], u" НАЦЕНКА = 3.00" + Spaces(14) + u"БЕЗ НДС");
  EXPECT_EQ(lines[3], u"<!>" + Spaces(30) + u"<!>");
  EXPECT_EQ(FiscalLines(36, FiscalString{})[2], Spaces(36));
}

TEST(CheckRenderingFiscal, PositionAndGoodCodeLinesInTableOrder) {
  FiscalString item = Milk();
  item.marking_code = u"0104600000000000\u001D93abc";
  item.additional_attribute = u"доп";
  item.excise_amount = u"12.30";
  item.country_of_origin = u"643";
  item.measurement_unit = u"шт";
  item.customs_declaration = u"10702070/010124/0000001";
  GoodCodeData code;
  code.egais30 = u"E3";
  code.marking_code = u"KM";
  code.stamp_type = u"02";
  item.good_codes.push_back(code);
  const std::vector<std::u16string> lines = FiscalLines(36, item);
  const std::vector<std::u16string> expected = {
      Spaces(16) + u"ЕДИНИЦА ИЗМЕРЕНИЯ:шт",
      Spaces(22) + u"КОД СТРАНЫ:643",
      Spaces(2) + u"ДЕКЛАРАЦИЯ:10702070/010124/0000001",
      Spaces(25) + u"АКЦИЗ:12.30",
      Spaces(33) + u"доп",
      Spaces(3) + u"КМ ВЫБЫТИЕ:0104600000000000\u001D93abc",
      Spaces(19) + u"Тип маркировки:02",
      Spaces(34) + u"KM",
      Spaces(26) + u"EGAIS30:E3",
  };
  ASSERT_EQ(lines.size(), 4 + expected.size());
  EXPECT_EQ(std::vector<std::u16string>(lines.begin() + 4, lines.end()), expected);
}

TEST(CheckRenderingFiscal, EachPositionPrintsAsIfAlone) {
  // One renderer prints a long position, then shorter ones: nothing of a line
  // carries over into the next.
  FiscalString rich = Milk();
  rich.name = std::u16string(50, u'Ж');
  rich.quantity = 1234567.891;
  rich.price = 99999.995;
  rich.amount = -1e20;
  rich.discount = -1234.5;
  rich.vat_rate = u"22/122 длинная ставка";
  rich.marking_code = std::u16string(60, u'K');
  GoodCodeData code;
  code.gtin = u"04600000000000";
  rich.good_codes.push_back(code);
  FiscalString bare;
  bare.vat_rate = u"none";
  for (const std::int32_t size : {35, 36, 48}) {
    TestProcess process;
    process.state->Settings.Size = size;
    process.state->Receipt.BeginDocument();
    CheckRenderer renderer(*process.state);
    renderer.Fiscal(rich);
    const std::size_t before = TapeTexts(*process.state).size();
    renderer.Fiscal(bare);
    renderer.Fiscal(Milk());
    const std::vector<std::u16string> lines = TapeTexts(*process.state);
    std::vector<std::u16string> expected = FiscalLines(size, bare);
    const std::vector<std::u16string> milk = FiscalLines(size, Milk());
    expected.insert(expected.end(), milk.begin(), milk.end());
    EXPECT_EQ(std::vector<std::u16string>(lines.begin() + static_cast<std::ptrdiff_t>(before),
                                          lines.end()),
              expected)
        << size;
  }
}

TEST(CheckRenderingTotals, ChangeOnlyWhenOverpaidAndNonFiniteSumsPrint) {
  TestProcess process;
  CheckRenderer renderer(*process.state);
  Payments payments;
  payments.cash = 95;
  renderer.Totals(95, payments);
  EXPECT_EQ(TapeTexts(*process.state).size(), 9u);  // no change line
  payments.electronic = 0.1;
  renderer.Totals(95, payments);
  EXPECT_EQ(TapeTexts(*process.state).back(), Spaces(12) + u"СДАЧА = 0.10" + Spaces(12));
  const double huge = std::numeric_limits<double>::max();
  payments.cash = huge;
  payments.electronic = huge;
  renderer.Totals(huge + huge, payments);  // paid and total both infinite: no change
  const std::vector<std::u16string> lines = TapeTexts(*process.state);
  EXPECT_EQ(lines[lines.size() - 8], Spaces(13) + u"ИТОГ = INF" + Spaces(13));
  EXPECT_EQ(lines.back(), std::u16string(36, u'-'));
}

}  // namespace
}  // namespace kassivo
