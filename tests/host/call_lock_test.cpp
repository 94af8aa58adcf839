// A host that calls from several threads at once must not corrupt the shared
// records: every call runs under the process-wide lock.
#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "support/test_platform.h"

namespace kassivo {
namespace {

TEST(CallLock, ConcurrentCallsOnSeveralObjectsLoseNoCount) {
  testing::TestProcess process;
  constexpr int kThreads = 4;
  constexpr int kCalls = 300;
  std::vector<std::unique_ptr<DriverComponent>> components;
  for (int i = 0; i < kThreads; ++i) {
    components.push_back(process.NewComponent());
    testing::OpenDevice(*components.back());
  }
  std::vector<std::thread> threads;
  for (int i = 0; i < kThreads; ++i) {
    threads.emplace_back([&, i] {
      for (int n = 0; n < kCalls; ++n) {
        ArgumentArray args({Value::Text(u"1"), Value::Text(u""), Value()});
        Value result;
        components[i]->CallAsFunc(Method::kOpenShift, result, args);
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(process.state->Counters.ShiftNumber, kThreads * kCalls);
  EXPECT_EQ(process.state->Counters.CheckNumber, kThreads * kCalls);
  EXPECT_EQ(process.state->Receipt.entries().size(), 14u);
}

// Init and Done wait while a call holds the lock: the test holds it itself.
TEST(CallLock, InitAndDoneWaitForARunningCall) {
  testing::TestProcess process;
  DriverComponent component(*process.state);
  std::unique_lock<CallLock> running(process.state->call_lock);
  std::thread init([&] { component.Init(); });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_TRUE(process.state->WindowCaption.empty());
  running.unlock();
  init.join();
  EXPECT_TRUE(component.initialized());

  running.lock();
  std::thread done([&] { component.Done(); });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_TRUE(component.initialized());
  running.unlock();
  done.join();
  EXPECT_FALSE(component.initialized());
}

}  // namespace
}  // namespace kassivo
