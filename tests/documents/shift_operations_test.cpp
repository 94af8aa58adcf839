#include <limits>

#include "document_fixture.h"
#include "package/input_parameters.h"

namespace kassivo::testing {
namespace {

using Texts = std::vector<std::u16string>;

Texts ShiftDocument(std::u16string_view title, std::u16string cashier = u"",
                    std::u16string cashier_inn = u"", std::u16string address = u"",
                    std::u16string location = u"") {
  Texts texts = {kBanner, kTitleLine};
  for (const auto& line : DefaultHeaderTop()) texts.push_back(line);
  texts.emplace_back(title);
  const std::u16string name_line = u"КАССИР: " + cashier;
  const std::u16string inn_line = u"КАССИР ИНН : " + cashier_inn;
  texts.push_back(name_line + std::u16string(36 - name_line.size(), u' '));
  texts.push_back(inn_line + std::u16string(36 - inn_line.size(), u' '));
  texts.push_back(address);
  texts.push_back(location);
  texts.push_back(std::u16string(36, u'-'));
  return texts;
}

class ShiftOperationsTest : public DocumentTest {
 protected:
  // Runs a shift method and checks it answered true.
  std::u16string Answer(std::u16string_view method, std::u16string_view input = u"") {
    EXPECT_EQ(Run(method, input), True()) << ToUtf8(LastError());
    return Output(2);
  }
};

TEST_F(ShiftOperationsTest, OpenShiftPrintsFourteenEntriesWithDefaults) {
  EXPECT_EQ(Answer(u"OpenShift"), BuildOutputParameters(2, 1, 1));
  EXPECT_EQ(Tape(), ShiftDocument(u"СМЕНА ОТКРЫТА"));
  EXPECT_EQ(LastError(), u"Нет ошибок.");
  EXPECT_EQ(Output(1), u"");  // the input is not written back
}

TEST_F(ShiftOperationsTest, CounterStory) {
  EXPECT_EQ(Answer(u"GetCurrentStatus"), BuildOutputParameters(1, 0, 0));
  EXPECT_EQ(Answer(u"OpenShift"), BuildOutputParameters(2, 1, 1));
  EXPECT_EQ(Answer(u"GetCurrentStatus"), BuildOutputParameters(2, 1, 1));
  // Closing answers the number of the shift it closes.
  EXPECT_EQ(Answer(u"CloseShift"), BuildOutputParameters(1, 1, 2));
  EXPECT_EQ(Tape(), ShiftDocument(u"СМЕНА ЗАКРЫТА"));
  EXPECT_EQ(Answer(u"GetCurrentStatus"), BuildOutputParameters(1, 1, 2));
  EXPECT_EQ(Answer(u"OpenShift"), BuildOutputParameters(2, 2, 3));
  EXPECT_EQ(Answer(u"OpenShift"), BuildOutputParameters(2, 3, 4));
  EXPECT_EQ(Answer(u"CloseShift"), BuildOutputParameters(1, 3, 5));
  EXPECT_EQ(Answer(u"CloseShift"), BuildOutputParameters(1, 3, 6));
}

TEST_F(ShiftOperationsTest, StatusReportAnswersTheActualShiftState) {
  EXPECT_EQ(Answer(u"ReportCurrentStatusOfSettlements"), BuildOutputParameters(1, 0, 0));
  EXPECT_EQ(Tape(), ShiftDocument(u"ТЕКУЩИЕ РАСЧЕТЫ"));
  Answer(u"OpenShift");
  EXPECT_EQ(Answer(u"ReportCurrentStatusOfSettlements"), BuildOutputParameters(2, 1, 1));
  Answer(u"CloseShift");
  EXPECT_EQ(Answer(u"ReportCurrentStatusOfSettlements"), BuildOutputParameters(1, 1, 2));
  EXPECT_EQ(Answer(u"GetCurrentStatus"), BuildOutputParameters(1, 1, 2));
}

TEST_F(ShiftOperationsTest, XReportPrintsAndChangesNothing) {
  Answer(u"OpenShift");
  EXPECT_EQ(Run(u"PrintXReport", {Value::Text(id), Value::Text(u"")}), True());
  EXPECT_EQ(Tape(), ShiftDocument(u"X-ОТЧЕТ"));
  EXPECT_EQ(Tape()[8][0], u'X');  // Latin X
  EXPECT_EQ(Answer(u"GetCurrentStatus"), BuildOutputParameters(2, 1, 1));
}

TEST_F(ShiftOperationsTest, GetCurrentStatusPrintsNothingAndIgnoresItsInput) {
  EXPECT_EQ(Answer(u"GetCurrentStatus", u"<not xml"), BuildOutputParameters(1, 0, 0));
  EXPECT_TRUE(Tape().empty());
}

TEST_F(ShiftOperationsTest, CashierAndSalePlaceComeFromTheInput) {
  Answer(u"OpenShift",
         u"<InputParameters><Parameters CashierName=\"Петров\" CashierINN=\"123\" "
         u"SaleAddress=\"Склад 5\" SaleLocation=\"окно\"/></InputParameters>");
  EXPECT_EQ(Tape(), ShiftDocument(u"СМЕНА ОТКРЫТА", u"Петров", u"123", u"Склад 5", u"окно"));
}

TEST_F(ShiftOperationsTest, UnreadableInputAnswersFalseAfterTheCounters) {
  ASSERT_EQ(Run(u"OpenCashDrawer", {Value::Text(id)}), True());
  ASSERT_EQ(Tape().size(), 5u);
  for (const char16_t* input : {u"<InputParameters><Parameters", u"<InputParameters/>"}) {
    SCOPED_TRACE(ToUtf8(input));
    const Texts before = Tape();
    EXPECT_EQ(Run(u"OpenShift", input), False());
    EXPECT_NE(LastError(), u"Нет ошибок.");
    EXPECT_FALSE(LastError().empty());
    EXPECT_TRUE(last.WasWritten(2));
    EXPECT_EQ(Output(2), u"");
    EXPECT_EQ(Tape(), before);  // the document had not begun
  }
  // Both failed opens advanced the counters.
  EXPECT_EQ(Answer(u"GetCurrentStatus"), BuildOutputParameters(2, 2, 2));
  EXPECT_EQ(Run(u"CloseShift", u"<bad"), False());
  EXPECT_EQ(Answer(u"GetCurrentStatus"), BuildOutputParameters(1, 2, 3));
  EXPECT_EQ(Run(u"ReportCurrentStatusOfSettlements", u"<bad"), False());
  EXPECT_EQ(Output(2), u"");
  EXPECT_EQ(Answer(u"GetCurrentStatus"), BuildOutputParameters(1, 2, 3));
}

TEST_F(ShiftOperationsTest, UnreadableXReportInputLeavesTheBegunDocument) {
  Answer(u"OpenShift");
  EXPECT_EQ(Run(u"PrintXReport", {Value::Text(id), Value::Text(u"<x><y></x>")}), False());
  EXPECT_NE(LastError(), u"Нет ошибок.");
  EXPECT_EQ(Tape(), (Texts{kBanner, kTitleLine}));
}

TEST_F(ShiftOperationsTest, ShowTypeZeroKeepsEveryAnswer) {
  SetParameter(u"WindowShowType", Value::Integer(0));
  EXPECT_EQ(Answer(u"OpenShift"), BuildOutputParameters(2, 1, 1));
  EXPECT_EQ(Answer(u"ReportCurrentStatusOfSettlements"), BuildOutputParameters(2, 1, 1));
  EXPECT_EQ(Run(u"PrintXReport", {Value::Text(id), Value::Text(u"")}), True());
  EXPECT_EQ(Answer(u"CloseShift"), BuildOutputParameters(1, 1, 2));
  EXPECT_TRUE(Tape().empty());
  EXPECT_EQ(state.Receipt.window().state(), ReceiptWindow::State::kAbsent);
}

TEST_F(ShiftOperationsTest, CountersWrapAt32Bits) {
  state.Counters.ShiftNumber = std::numeric_limits<std::int32_t>::max();
  state.Counters.CheckNumber = std::numeric_limits<std::int32_t>::max() - 1;
  EXPECT_EQ(Answer(u"OpenShift"), BuildOutputParameters(2, std::numeric_limits<std::int32_t>::min(),
                                                        std::numeric_limits<std::int32_t>::max()));
  EXPECT_EQ(Answer(u"CloseShift"),
            BuildOutputParameters(1, std::numeric_limits<std::int32_t>::min(),
                                  std::numeric_limits<std::int32_t>::min()));
}

TEST_F(ShiftOperationsTest, CountersAreSharedByDevicesAndComponentObjects) {
  Answer(u"OpenShift");
  const std::u16string second_device = OpenDevice(*component);
  auto other = process.NewComponent();
  const std::u16string other_device = OpenDevice(*other);
  EXPECT_EQ(other_device, u"1");

  last = ArgumentArray({Value::Text(other_device), Value::Text(u""), Value()});
  EXPECT_EQ(Call(*other, u"CloseShift", last), True());
  EXPECT_EQ(Output(2), BuildOutputParameters(1, 1, 2));

  last = ArgumentArray({Value::Text(second_device), Value::Text(u""), Value()});
  EXPECT_EQ(Call(*component, u"OpenShift", last), True());
  EXPECT_EQ(Output(2), BuildOutputParameters(2, 2, 3));
}

}  // namespace
}  // namespace kassivo::testing
