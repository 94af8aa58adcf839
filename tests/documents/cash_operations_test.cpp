#include <limits>

#include "device/emulator.h"
#include "document_fixture.h"
#include "package/input_parameters.h"

namespace kassivo::testing {
namespace {

using Texts = std::vector<std::u16string>;

class CashOperationsTest : public DocumentTest {
 protected:
  Value Cash(Value amount, std::u16string input = u"") {
    return Run(u"CashInOutcome", {Value::Text(id), Value::Text(std::move(input)), amount});
  }

  static Texts CashDocument(std::u16string_view kind, std::u16string_view amount) {
    Texts texts = {kBanner, kTitleLine};
    for (const auto& line : DefaultHeaderTop()) texts.push_back(line);
    texts.push_back(u"ИНКАССАЦИЯ " + std::u16string(kind));
    texts.push_back(u"КАССИР: " + std::u16string(28, u' '));
    texts.push_back(u"КАССИР ИНН : " + std::u16string(23, u' '));
    texts.push_back(u"");
    texts.push_back(u"");
    texts.push_back(u"СУММА=" + std::u16string(amount));
    texts.push_back(std::u16string(36, u'-'));
    return texts;
  }
};

TEST_F(CashOperationsTest, CashInAndCashOut) {
  EXPECT_EQ(Cash(Value::Integer(1500)), True());
  EXPECT_EQ(Tape(), CashDocument(u"ВНЕСЕНИЕ", u"1500"));
  EXPECT_EQ(Cash(Value::Real(-1500)), True());
  EXPECT_EQ(Tape(), CashDocument(u"ВЫЕМКА", u"1500"));
  EXPECT_EQ(Cash(Value::Text(u"12.5")), True());
  EXPECT_EQ(Tape(), CashDocument(u"ВНЕСЕНИЕ", u"12.5"));
  EXPECT_EQ(Cash(Value::Real(-0.1)), True());
  EXPECT_EQ(Tape().at(13), u"СУММА=0.1");
  EXPECT_EQ(LastError(), u"Нет ошибок.");
  EXPECT_FALSE(last.WasWritten(0));
  EXPECT_FALSE(last.WasWritten(2));
}

TEST_F(CashOperationsTest, AmountUsesTheDecimalSeparator) {
  state.platform().number_format.decimal_separator = u",";
  state.platform().number_format.thousands_separator = u" ";
  EXPECT_EQ(Cash(Value::Real(1234567.25)), True());
  EXPECT_EQ(Tape().at(13), u"СУММА=1234567,25");
}

TEST_F(CashOperationsTest, ZeroAmountFailsAfterBeginningTheDocument) {
  ASSERT_EQ(Run(u"OpenCashDrawer", {Value::Text(id)}), True());
  for (const Value& zero : {Value::Integer(0), Value::Real(-0.0), Value::Text(u"0"), Value()}) {
    EXPECT_EQ(Cash(zero, u"<not read"), False());
    EXPECT_EQ(LastError(), u"Сумма не верна.");
    EXPECT_EQ(Tape(), (Texts{kBanner, kTitleLine}));
  }
}

TEST_F(CashOperationsTest, NonFiniteAmountIsRejected) {
  TFPEmulator device(state);
  for (const double amount :
       {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity()}) {
    state.LastErrorText = u"Нет ошибок.";
    EXPECT_FALSE(device.CashInOutcome(u"", amount));
    EXPECT_EQ(LastError(), u"Сумма не верна.");
    EXPECT_EQ(Tape(), (Texts{kBanner, kTitleLine}));
  }
}

TEST_F(CashOperationsTest, CountersDoNotMove) {
  Run(u"OpenShift", u"");
  const std::u16string status = BuildOutputParameters(2, 1, 1);
  Cash(Value::Integer(100));
  Cash(Value::Integer(0));
  Run(u"GetCurrentStatus", u"");
  EXPECT_EQ(Output(2), status);
}

TEST_F(CashOperationsTest, UnreadableInputFailsWithTheDocumentBegun) {
  EXPECT_EQ(Cash(Value::Integer(5), u"<InputParameters>"), False());
  EXPECT_NE(LastError(), u"Нет ошибок.");
  EXPECT_NE(LastError(), u"Сумма не верна.");
  EXPECT_EQ(Tape(), (Texts{kBanner, kTitleLine}));
}

TEST_F(CashOperationsTest, InputGivesTheCashierLines) {
  Cash(Value::Integer(7),
       u"<InputParameters><Parameters CashierName=\"Сидорова\" SaleAddres=\"ул. Мира\"/>"
       u"</InputParameters>");
  EXPECT_EQ(Tape().at(9), u"КАССИР: Сидорова" + std::u16string(20, u' '));
  EXPECT_EQ(Tape().at(11), u"ул. Мира");
}

TEST_F(CashOperationsTest, OpenCashDrawerPrintsItsNotice) {
  EXPECT_EQ(Run(u"OpenCashDrawer", {Value::Text(id)}), True());
  EXPECT_EQ(Tape(), (Texts{kBanner, kTitleLine, std::u16string(36, u'='), u"ДЕНЕЖНЫЙ ЯЩИК ОТКРЫТ",
                           std::u16string(36, u'=')}));
}

TEST_F(CashOperationsTest, LineLengthFollowsSize) {
  EXPECT_EQ(Run(u"GetLineLength", {Value::Text(id), Value()}), True());
  EXPECT_EQ(last.Get(1), Value::Integer(36));
  SetParameter(u"Size", Value::Integer(48));
  Run(u"GetLineLength", {Value::Text(id), Value()});
  EXPECT_EQ(last.Get(1), Value::Integer(48));
  Run(u"OpenCashDrawer", {Value::Text(id)});
  EXPECT_EQ(Tape().at(2), std::u16string(48, u'='));
}

TEST_F(CashOperationsTest, HugeSizeIsAnsweredButNotPrinted) {
  SetParameter(u"Size", Value::Integer(2'000'000'000));
  Run(u"GetLineLength", {Value::Text(id), Value()});
  EXPECT_EQ(last.Get(1), Value::Integer(2'000'000'000));
  EXPECT_EQ(Cash(Value::Integer(1)), True());
  for (const auto& text : Tape()) EXPECT_LE(text.size(), 1024u);
  EXPECT_EQ(Tape().at(2), std::u16string(1024, u'-'));
  EXPECT_EQ(Tape().at(9).size(), 1024u);
}

}  // namespace
}  // namespace kassivo::testing
