// Eight threads calling one process through two component objects for a
// while: every counted document gets a number of its own, the counters end
// exact, and readers only ever see whole answers. Run under ThreadSanitizer
// by the "tsan" preset, where a data race fails the run.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "support/test_platform.h"

namespace kassivo {
namespace {

using Clock = std::chrono::steady_clock;

// The value of CheckNumber="N" in an answer; -1 when it has none.
int CheckNumberIn(const std::u16string& answer) {
  const std::u16string key = u"CheckNumber=\"";
  const std::size_t at = answer.find(key);
  if (at == std::u16string::npos) return -1;
  int number = 0;
  for (std::size_t i = at + key.size(); i < answer.size() && answer[i] != u'"'; ++i) {
    if (answer[i] < u'0' || answer[i] > u'9') return -1;
    number = number * 10 + (answer[i] - u'0');
  }
  return number;
}

constexpr const char16_t* kCheck =
    u"<CheckPackage><Parameters CashierName=\"Петрова\"/><Positions>"
    u"<FiscalString Name=\"Хлеб\" Quantity=\"2\" PriceWithDiscount=\"40\" "
    u"AmountWithDiscount=\"80\" VATRate=\"10\"/></Positions><Payments Cash=\"100\"/>"
    u"</CheckPackage>";

struct Tally {
  int opens = 0, closes = 0, checks = 0, reads = 0;
  std::vector<int> numbers;  // CheckNumber of every counted document
  std::vector<std::string> faults;
};

void Work(DriverComponent& component, int role, Clock::time_point until, Tally& tally) {
  auto fault = [&](std::string what) { tally.faults.push_back(std::move(what)); };
  while (Clock::now() < until) {
    Value result;
    switch (role) {
      case 0:
      case 1: {  // OpenShift or CloseShift
        ArgumentArray args({Value::Text(u"1"), Value::Text(u""), Value()});
        component.CallAsFunc(role == 0 ? Method::kOpenShift : Method::kCloseShift, result, args);
        if (result != Value::Boolean(true)) fault("shift call failed");
        tally.numbers.push_back(CheckNumberIn(args.Get(2).text()));
        ++(role == 0 ? tally.opens : tally.closes);
        break;
      }
      case 2: {  // ProcessCheck
        ArgumentArray args(
            {Value::Text(u"1"), Value::Boolean(false), Value::Text(kCheck), Value()});
        component.CallAsFunc(Method::kProcessCheck, result, args);
        if (result != Value::Boolean(true)) fault("check failed");
        tally.numbers.push_back(CheckNumberIn(args.Get(3).text()));
        ++tally.checks;
        break;
      }
      default: {  // readers and a writer of a setting that never changes
        ArgumentArray set({Value::Text(u"Size"), Value::Integer(36)});
        component.CallAsFunc(Method::kSetParameter, result, set);
        ArgumentArray line({Value::Text(u"1"), Value()});
        component.CallAsFunc(Method::kGetLineLength, result, line);
        if (line.Get(1) != Value::Integer(36)) fault("line length changed");
        ArgumentArray data({Value::Text(u"1"), Value()});
        component.CallAsFunc(Method::kGetDataKKT, result, data);
        if (result != Value::Boolean(true) ||
            data.Get(1).text().find(u"/>") == std::u16string::npos)
          fault("GetDataKKT answer broken");
        ArgumentArray parameters({Value()});
        component.CallAsFunc(Method::kGetParameters, result, parameters);
        if (parameters.Get(0).text().find(u"</Settings>") == std::u16string::npos)
          fault("GetParameters answer broken");
        ArgumentArray error({Value()});
        component.CallAsFunc(Method::kGetLastError, result, error);
        if (error.Get(0).kind() != Value::Kind::kText) fault("no LastErrorText");
        ++tally.reads;
        break;
      }
    }
  }
}

TEST(ConcurrentCalls, EightThreadsTwoObjectsKeepEveryCountExact) {
  testing::TestProcess process;
  process.state->Settings.Size = 36;
  auto first = process.NewComponent();
  auto second = process.NewComponent();
  ASSERT_EQ(testing::OpenDevice(*first), u"1");
  ASSERT_EQ(testing::OpenDevice(*second), u"1");

  constexpr int kThreads = 8;
  const Clock::time_point until = Clock::now() + std::chrono::milliseconds(1500);
  std::vector<Tally> tallies(kThreads);
  std::vector<std::thread> threads;
  for (int i = 0; i < kThreads; ++i) {
    DriverComponent& component = i % 2 == 0 ? *first : *second;
    threads.emplace_back(Work, std::ref(component), i / 2, until, std::ref(tallies[i]));
  }
  for (std::thread& thread : threads) thread.join();

  Tally total;
  std::set<int> numbers;
  for (const Tally& tally : tallies) {
    total.opens += tally.opens;
    total.closes += tally.closes;
    total.checks += tally.checks;
    total.reads += tally.reads;
    for (const std::string& fault : tally.faults) ADD_FAILURE() << fault;
    for (const int number : tally.numbers) {
      EXPECT_TRUE(numbers.insert(number).second) << "CheckNumber " << number << " given twice";
    }
  }
  ASSERT_GT(total.opens, 0);
  ASSERT_GT(total.closes, 0);
  ASSERT_GT(total.checks, 0);
  ASSERT_GT(total.reads, 0);
  const int documents = total.opens + total.closes + total.checks;
  EXPECT_EQ(process.state->Counters.ShiftNumber, total.opens);
  EXPECT_EQ(process.state->Counters.CheckNumber, documents);
  // Every number from 1 to the last was given out, once.
  ASSERT_EQ(numbers.size(), static_cast<std::size_t>(documents));
  EXPECT_EQ(*numbers.begin(), 1);
  EXPECT_EQ(*numbers.rbegin(), documents);
}

}  // namespace
}  // namespace kassivo
