// Every driver method, 0 to 41, called with what a careless or hostile host
// may pass: no elements at all, each parameter in turn of every value kind
// (lone surrogates, NaN and infinities among them), and ten-megabyte texts.
// Each call must give a defined answer: S_OK, a result of the method's kind,
// a LastErrorText, and a driver that still works afterwards.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "common/text.h"
#include "host/driver_methods.h"
#include "support/huge_inputs.h"
#include "support/test_platform.h"

namespace kassivo {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

std::vector<Value> ValuesOfEveryKind() {
  return {
      Value(),
      Value::Text(u""),
      Value::Text(u"abc"),
      Value::Text(u"1"),
      Value::Text(u"-1,5e400"),
      Value::Text(std::u16string(u"\xD800") + u"<R A=\"\xDC00\"/>" + u"\xDBFF"),
      Value::Text(u"<CheckPackage><Positions><FiscalString Name=\"\xD83D\"/></Positions>"
                  u"</CheckPackage>"),
      Value::Boolean(true),
      Value::Boolean(false),
      Value::Integer(0),
      Value::Integer(-1),
      Value::Integer(std::numeric_limits<std::int32_t>::min()),
      Value::Integer(std::numeric_limits<std::int32_t>::max()),
      Value::Real(kNaN),
      Value::Real(-kNaN),
      Value::Real(kInfinity),
      Value::Real(-kInfinity),
      Value::Real(-0.0),
      Value::Real(2147483647.5),
      Value::Real(std::numeric_limits<double>::max()),
      Value::Real(std::numeric_limits<double>::denorm_min()),
  };
}

class BadInputMatrix : public ::testing::Test {
 protected:
  BadInputMatrix() : component_(process_.NewComponent()) {
    testing::OpenDevice(*component_);
    ArgumentArray shift({Value::Text(u"1"), Value::Text(u""), Value()});
    testing::Call(*component_, u"OpenShift", shift);
  }

  static std::int32_t ParameterCount(std::int32_t method) {
    std::int32_t count = 0;
    DriverComponent::GetNParams(method, count);
    return count;
  }

  // The arguments of a plain call: device "1", everything else empty.
  static std::vector<Value> PlainArguments(std::int32_t method) {
    std::vector<Value> values(ParameterCount(method));
    if (!values.empty()) values[0] = Value::Text(u"1");
    return values;
  }

  // Calls and checks the answer's contract; `what` names the case.
  Value CallChecked(std::int32_t method, ArgumentArray& args, const std::string& what) {
    SCOPED_TRACE(what);
    Value result = Value::Text(u"not written");
    EXPECT_EQ(component_->CallAsFunc(method, result, args), HResult::kOk);
    const bool integral =
        method == Number(Method::kGetInterfaceRevision) || method == Number(Method::kGetLastError);
    EXPECT_EQ(result.kind(), integral ? Value::Kind::kInteger : Value::Kind::kBoolean);
    const std::optional<std::u16string>& error = process_.state->LastErrorText;
    EXPECT_TRUE(error.has_value() && !error->empty());
    if (method != Number(Method::kGetLastError)) {
      ArgumentArray last({Value()});
      Value ignored;
      component_->CallAsFunc(Method::kGetLastError, ignored, last);
      EXPECT_EQ(last.Get(0), Value::Text(error.value_or(u"")));
    }
    return result;
  }

  // The driver still does its everyday work.
  void ExpectStillWorking() {
    process_.state->Settings.Size = 36;
    process_.state->Settings.WindowShowType = 2;
    ArgumentArray line({Value::Text(u"1"), Value()});
    EXPECT_EQ(testing::Call(*component_, u"GetLineLength", line), Value::Boolean(true));
    EXPECT_EQ(line.Get(1), Value::Integer(36));
    ArgumentArray check(
        {Value::Text(u"1"), Value::Boolean(false),
         Value::Text(u"<CheckPackage><Parameters CashierName=\"Петрова\"/><Positions>"
                     u"<FiscalString Name=\"Хлеб\" Quantity=\"1\" "
                     u"PriceWithDiscount=\"40\" AmountWithDiscount=\"40\" VATRate=\"10\"/>"
                     u"</Positions><Payments Cash=\"40\"/></CheckPackage>"),
         Value()});
    EXPECT_EQ(testing::Call(*component_, u"ProcessCheck", check), Value::Boolean(true));
    EXPECT_NE(check.Get(3).text().find(u"CheckNumber="), std::u16string::npos);
    bool bread = false;
    for (const std::u16string& text : testing::TapeTexts(*process_.state)) {
      bread = bread || text.find(u"Хлеб") != std::u16string::npos;
    }
    EXPECT_TRUE(bread);
  }

  testing::TestProcess process_;
  std::unique_ptr<DriverComponent> component_;
};

TEST_F(BadInputMatrix, EveryMethodWithNoElements) {
  for (std::int32_t method = 0; method < DriverComponent::GetNMethods(); ++method) {
    ArgumentArray none;
    CallChecked(method, none, "method " + std::to_string(method));
  }
  ExpectStillWorking();
}

TEST_F(BadInputMatrix, EveryParameterWithEveryValueKind) {
  const std::vector<Value> kinds = ValuesOfEveryKind();
  for (std::int32_t method = 0; method < DriverComponent::GetNMethods(); ++method) {
    // Open takes its only parameter as an output.
    if (method == Number(Method::kOpen)) continue;
    for (std::int32_t parameter = 0; parameter < ParameterCount(method); ++parameter) {
      for (std::size_t kind = 0; kind < kinds.size(); ++kind) {
        std::vector<Value> values = PlainArguments(method);
        values[parameter] = kinds[kind];
        ArgumentArray args(std::move(values));
        CallChecked(method, args,
                    "method " + std::to_string(method) + " parameter " + std::to_string(parameter) +
                        " value " + std::to_string(kind));
      }
    }
    // A setting the matrix changed must not leak into the next method.
    process_.state->Settings.Size = 36;
  }
  ExpectStillWorking();
}

TEST_F(BadInputMatrix, TenMegabyteTextInEveryParameter) {
  // Ten megabytes of UTF-16 (a tenth under AddressSanitizer) that look a
  // little like XML and a little like a number, with Cyrillic, a lone
  // surrogate and the XML specials.
  std::u16string huge = u"<CheckPackage A=\"";
  const std::u16string piece = u"Ж1,5&amp;<\">\xD800 ";
  while (huge.size() * 2 < testing::HugeInputBytes(10)) huge += piece;
  const Value text = Value::Text(huge);
  for (std::int32_t method = 0; method < DriverComponent::GetNMethods(); ++method) {
    for (std::int32_t parameter = 0; parameter < ParameterCount(method); ++parameter) {
      std::vector<Value> values = PlainArguments(method);
      values[parameter] = text;
      ArgumentArray args(std::move(values));
      CallChecked(method, args,
                  "method " + std::to_string(method) + " parameter " + std::to_string(parameter));
    }
  }
  ExpectStillWorking();
}

// Values that cannot be converted to what the method reads: false, with a
// message naming the failure rather than "Нет ошибок.".
TEST_F(BadInputMatrix, UnconvertibleValuesAreReportedFailures) {
  struct Case {
    const char* name;
    Method method;
    std::vector<Value> args;
  };
  const std::vector<Case> cases = {
      {"OperationFN type not a number",
       Method::kOperationFN,
       {Value::Text(u"1"), Value::Text(u"abc"), Value::Text(u"<Parameters/>")}},
      {"OperationFN type NaN",
       Method::kOperationFN,
       {Value::Text(u"1"), Value::Real(kNaN), Value::Text(u"<Parameters/>")}},
      {"OperationFN type infinite",
       Method::kOperationFN,
       {Value::Text(u"1"), Value::Real(-kInfinity), Value::Text(u"<Parameters/>")}},
      {"OperationFN type out of range",
       Method::kOperationFN,
       {Value::Text(u"1"), Value::Real(4e9), Value::Text(u"<Parameters/>")}},
      {"ProcessCheck flag not a boolean",
       Method::kProcessCheck,
       {Value::Text(u"1"), Value::Text(u"maybe"), Value::Text(u""), Value()}},
      {"CashInOutcome amount not a number",
       Method::kCashInOutcome,
       {Value::Text(u"1"), Value::Text(u""), Value::Text(u"много")}},
      {"CashInOutcome amount NaN",
       Method::kCashInOutcome,
       {Value::Text(u"1"), Value::Text(u""), Value::Real(kNaN)}},
      {"CashInOutcome amount infinite",
       Method::kCashInOutcome,
       {Value::Text(u"1"), Value::Text(u""), Value::Real(kInfinity)}},
      {"PayByPaymentCard amount not a number",
       Method::kPayByPaymentCard,
       {Value::Text(u"1"), Value::Text(u"4111"), Value::Text(u"x"), Value::Text(u"")}},
      {"ConfirmKM kind NaN",
       Method::kConfirmKM,
       {Value::Text(u"1"), Value::Text(u"G"), Value::Real(kNaN)}},
      {"ConfirmKM kind lone surrogate",
       Method::kConfirmKM,
       {Value::Text(u"1"), Value::Text(u"G"), Value::Text(u"\xD800")}},
  };
  for (const Case& c : cases) {
    ArgumentArray args(c.args);
    EXPECT_EQ(CallChecked(Number(c.method), args, c.name), Value::Boolean(false)) << c.name;
    EXPECT_NE(process_.state->LastErrorText, std::u16string(kNoErrors)) << c.name;
  }
  ExpectStillWorking();
}

}  // namespace
}  // namespace kassivo
