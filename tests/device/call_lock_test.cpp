#include "device/call_lock.h"

#include <gtest/gtest.h>

#include <future>

namespace kassivo {
namespace {

TEST(CallLockOwner, KnowsWhichThreadHoldsIt) {
  CallLock lock;
  EXPECT_FALSE(lock.HeldByThisThread());
  lock.lock();
  EXPECT_TRUE(lock.HeldByThisThread());
  // The holder asking again is told no rather than deadlocking.
  EXPECT_FALSE(lock.try_lock());
  EXPECT_FALSE(std::async(std::launch::async, [&] { return lock.HeldByThisThread(); }).get());
  EXPECT_FALSE(std::async(std::launch::async, [&] { return lock.try_lock(); }).get());
  lock.unlock();
  EXPECT_FALSE(lock.HeldByThisThread());
  EXPECT_TRUE(std::async(std::launch::async, [&] {
                const bool taken = lock.try_lock();
                if (taken) lock.unlock();
                return taken;
              }).get());
}

}  // namespace
}  // namespace kassivo
