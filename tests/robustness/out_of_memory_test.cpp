// Memory running out at any allocation of a call: the call answers, no
// exception leaves CallAsFunc, a failure is reported as one (never with the
// "no errors" text), and the driver works again once memory is back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/text.h"
#include "host/driver_methods.h"
#include "support/allocation_failures.h"
#include "support/test_platform.h"

namespace kassivo {
namespace {

using testing::FailAllocationAfter;
using testing::StopFailingAllocations;
using testing::TestProcess;

struct Case {
  const char* name;
  std::int32_t method;
  std::vector<Value> arguments;
};

std::vector<Case> Cases() {
  const std::u16string check =
      u"<CheckPackage><Parameters CashierName=\"Смирнова\" TaxationSystem=\"1\"/><Positions>"
      u"<FiscalString Name=\"Молоко\" Quantity=\"1\" PriceWithDiscount=\"99.90\" "
      u"AmountWithDiscount=\"99.90\" VATRate=\"20\" PaymentMethod=\"4\" "
      u"CalculationSubject=\"1\"/></Positions><Payments Cash=\"100\"/></CheckPackage>";
  return {
      {"GetLineLength", Number(Method::kGetLineLength), {Value::Text(u"1"), Value()}},
      {"GetLineLength of an unknown device",
       Number(Method::kGetLineLength),
       {Value::Text(u"no such device"), Value()}},
      {"GetDataKKT", Number(Method::kGetDataKKT), {Value::Text(u"1"), Value()}},
      {"GetDescription", Number(Method::kGetDescription), {Value()}},
      {"ProcessCheck",
       Number(Method::kProcessCheck),
       {Value::Text(u"1"), Value::Boolean(false), Value::Text(check), Value()}},
      {"ProcessCheck of a broken package",
       Number(Method::kProcessCheck),
       {Value::Text(u"1"), Value::Boolean(false), Value::Text(u"<CheckPackage"), Value()}},
      {"a number outside the table", 99, {}},
  };
}

TEST(OutOfMemory, EveryAllocationOfACallMayFail) {
  for (const Case& c : Cases()) {
    for (std::int64_t allocations = 0;; ++allocations) {
      ASSERT_LT(allocations, 100000) << c.name << ": the call never completed";
      TestProcess process;
      const auto component = process.NewComponent();
      testing::OpenDevice(*component);
      // A short text the "no errors" reset cannot overwrite without allocating.
      process.state->LastErrorText.reset();
      process.state->LastErrorText.emplace(u"earlier");
      ArgumentArray args(c.arguments);
      Value result;
      bool escaped = false;
      HResult answer = HResult::kOk;
      FailAllocationAfter(allocations);
      try {
        answer = component->CallAsFunc(c.method, result, args);
      } catch (...) {
        escaped = true;
      }
      const bool failed = StopFailingAllocations();
      ASSERT_FALSE(escaped) << c.name << " at allocation " << allocations;
      EXPECT_EQ(answer, c.method == 99 ? HResult::kFalse : HResult::kOk) << c.name;
      if (failed) {
        EXPECT_EQ(result, Value::Boolean(false)) << c.name << " at allocation " << allocations;
        EXPECT_NE(process.state->LastErrorText, std::optional<std::u16string>(kNoErrors))
            << c.name << " at allocation " << allocations;
      }
      // With memory back, the device answers as usual.
      ArgumentArray width({Value::Text(u"1"), Value()});
      Value length;
      component->CallAsFunc(Method::kGetLineLength, length, width);
      ASSERT_EQ(length, Value::Boolean(true)) << c.name << " at allocation " << allocations;
      EXPECT_EQ(width.Get(1), Value::Integer(36));
      if (!failed) break;  // the whole call ran before memory ran out
    }
  }
}

}  // namespace
}  // namespace kassivo
