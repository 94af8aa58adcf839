// The steps every call shares: the error text, numbers outside the catalogue,
// the device lookup and the answer to a failure.
#include <gtest/gtest.h>

#include "common/text.h"
#include "host/driver_methods.h"
#include "support/test_platform.h"

namespace kassivo {
namespace {

using testing::Call;
using testing::LastError;
using testing::OpenDevice;
using testing::T;
using testing::TestProcess;

TEST(Dispatcher, NumbersOutsideTheTableAnswerSFalseAndResetTheError) {
  TestProcess process;
  auto component = process.NewComponent();
  ArgumentArray none;
  Value result = Value::Integer(9);
  EXPECT_EQ(component->CallAsFunc(kMethodCount, result, none), HResult::kFalse);
  EXPECT_EQ(result, Value::Boolean(false));
  EXPECT_EQ(process.state->LastErrorText, std::u16string(kNoErrors));
  EXPECT_EQ(component->CallAsFunc(-1, result, none), HResult::kFalse);
  EXPECT_EQ(component->CallAsProc(Number(Method::kOpen), none), HResult::kOk);
}

TEST(Dispatcher, GetLastErrorReportsWithoutResetting) {
  TestProcess process;
  auto component = process.NewComponent();
  EXPECT_EQ(LastError(*component), u"<empty>");  // the very first call of a process

  ArgumentArray args({T(u"test")});
  EXPECT_EQ(Call(*component, u"DoAdditionalAction", args), Value::Boolean(false));
  EXPECT_EQ(LastError(*component), kUndefinedAction);
  EXPECT_EQ(LastError(*component), kUndefinedAction);

  ArgumentArray test({T(u"Test")});
  EXPECT_EQ(Call(*component, u"DoAdditionalAction", test), Value::Boolean(true));
  EXPECT_EQ(LastError(*component), kNoErrors);
}

TEST(Dispatcher, LastErrorIsSharedByComponentObjects) {
  TestProcess process;
  auto first = process.NewComponent();
  auto second = process.NewComponent();
  ArgumentArray args({T(u"nope")});
  Call(*first, u"DoAdditionalAction", args);
  EXPECT_EQ(LastError(*second), kUndefinedAction);
  ArgumentArray revision;
  Call(*second, u"GetInterfaceRevision", revision);
  EXPECT_EQ(LastError(*first), kNoErrors);
}

// A device method given an ID no device has never answers true.
TEST(Dispatcher, UnknownDeviceIdIsReportedByEveryDeviceRow) {
  TestProcess process;
  auto component = process.NewComponent();
  OpenDevice(*component);
  struct Row {
    const char16_t* name;
    std::size_t count;
    std::vector<std::pair<int, Value>> written;  // outputs written all the same
  };
  const Row rows[] = {
      {u"Close", 1, {}},
      {u"GetDataKKT", 2, {{0, T(u"7")}, {1, T(u"")}}},
      {u"OperationFN", 3, {}},
      {u"OpenShift", 3, {{2, T(u"")}}},
      {u"CloseShift", 3, {{2, T(u"")}}},
      {u"ProcessCheck", 4, {{3, T(u"")}}},
      {u"PrintTextDocument", 2, {{0, T(u"7")}}},
      {u"ProcessCorrectionCheck", 3, {{2, T(u"")}}},
      {u"PrintCheckCopy", 2, {}},
      {u"CashInOutcome", 3, {}},
      {u"GetCurrentStatus", 3, {{2, T(u"")}}},
      {u"ReportCurrentStatusOfSettlements", 3, {{2, T(u"")}}},
      {u"PrintXReport", 2, {}},
      {u"OpenCashDrawer", 1, {}},
      {u"GetLineLength", 2, {}},
      {u"Settlement", 2, {}},
      {u"OpenSessionRegistrationKM", 1, {}},
      {u"CloseSessionRegistrationKM", 1, {}},
      {u"RequestKM", 3, {}},
      {u"GetProcessingKMResult", 3, {}},
      {u"ConfirmKM", 3, {}},
  };
  for (const Row& row : rows) {
    std::vector<Value> passed(row.count, Value::Integer(77));
    passed[0] = T(u"7");
    ArgumentArray args(passed);
    EXPECT_EQ(Call(*component, row.name, args), Value::Boolean(false)) << ToUtf8(row.name);
    EXPECT_EQ(*process.state->LastErrorText, kDeviceNotFound) << ToUtf8(row.name);
    std::vector<Value> expected = passed;
    for (const auto& [index, value] : row.written) expected[index] = value;
    EXPECT_EQ(args.values(), expected) << ToUtf8(row.name);
  }
  for (const char16_t* card :
       {u"PayByPaymentCard", u"ReturnPaymentByPaymentCard", u"CancelPaymentByPaymentCard"}) {
    std::vector<Value> passed = {T(u"01"), T(u"c"), Value::Real(1), T(u"r"),
                                 T(u""),   T(u""),  T(u"")};
    ArgumentArray args(passed);
    EXPECT_EQ(Call(*component, card, args), Value::Boolean(false));
    EXPECT_EQ(*process.state->LastErrorText, u"Карта заблокирована");
    EXPECT_EQ(args.values(), passed);
  }
  EXPECT_TRUE(process.state->Receipt.entries().empty());
  EXPECT_EQ(process.state->Counters.CheckNumber, 0);
}

// An ID of another kind is read as its text, and the rows that write the ID
// back write that text.
TEST(Dispatcher, AnIdOfAnotherKindIsReadAsItsText) {
  TestProcess process;
  auto component = process.NewComponent();
  OpenDevice(*component);
  ArgumentArray by_integer({Value::Integer(1), Value()});
  EXPECT_EQ(Call(*component, u"GetLineLength", by_integer), Value::Boolean(true));
  EXPECT_EQ(by_integer.Get(1).kind(), Value::Kind::kInteger);
  EXPECT_FALSE(by_integer.WasWritten(0));
  ArgumentArray by_real({Value::Real(1.0), Value()});
  EXPECT_EQ(Call(*component, u"GetDataKKT", by_real), Value::Boolean(true));
  EXPECT_EQ(by_real.Get(0), T(u"1"));
  ArgumentArray unknown({Value::Integer(7), Value::Integer(77)});
  EXPECT_EQ(Call(*component, u"GetDataKKT", unknown), Value::Boolean(false));
  EXPECT_EQ(*process.state->LastErrorText, kDeviceNotFound);
  EXPECT_EQ(unknown.values(), (std::vector<Value>{T(u"7"), T(u"")}));
  ArgumentArray by_flag({Value::Boolean(true), Value()});
  EXPECT_EQ(Call(*component, u"GetLineLength", by_flag), Value::Boolean(false));
  EXPECT_FALSE(by_flag.WasWritten(1));
  ArgumentArray card({Value::Integer(1), T(u"c"), Value::Real(1), T(u"r"), T(u""), T(u""), T(u"")});
  Call(*component, u"PayByPaymentCard", card);
  EXPECT_EQ(card.Get(0), T(u"1"));
}

TEST(Dispatcher, MissingArgumentsReadAsEmptyAndWritesAreDropped) {
  TestProcess process;
  auto component = process.NewComponent();
  OpenDevice(*component);
  ArgumentArray only_id({T(u"1")});
  EXPECT_EQ(Call(*component, u"GetLineLength", only_id), Value::Boolean(true));
  EXPECT_EQ(only_id.size(), 1u);
  ArgumentArray empty;
  EXPECT_EQ(Call(*component, u"Open", empty), Value::Boolean(true));
  EXPECT_EQ(Call(*component, u"GetLineLength", empty), Value::Boolean(false));
  EXPECT_EQ(*process.state->LastErrorText, kDeviceNotFound);
}

TEST(Dispatcher, AConversionFailureBecomesAFalseResultWithAText) {
  TestProcess process;
  auto component = process.NewComponent();
  const std::u16string id = OpenDevice(*component);
  ArgumentArray fn({T(id.c_str()), T(u"one"), T(u"<Parameters/>")});
  EXPECT_EQ(Call(*component, u"OperationFN", fn), Value::Boolean(false));
  ASSERT_TRUE(process.state->LastErrorText.has_value());
  EXPECT_NE(process.state->LastErrorText->find(u"one"), std::u16string::npos);
  EXPECT_NE(*process.state->LastErrorText, kNoErrors);
}

}  // namespace
}  // namespace kassivo
