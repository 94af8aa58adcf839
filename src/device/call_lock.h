// The process-wide call lock: taken by every driver call, and by Init and
// Done, so that a host calling from several threads corrupts no shared record.
//
// It also knows which thread holds it. Code that runs on that thread in the
// middle of a call (a window message dispatched by the modal loop of a
// message box the call shows) must neither wait for the lock, which would
// never come, nor touch what the call is using: HeldByThisThread tells it.
// Meets the standard Lockable requirements.
#pragma once

#include <atomic>
#include <mutex>
#include <thread>

namespace kassivo {

class CallLock {
 public:
  void lock() {
    mutex_.lock();
    owner_.store(std::this_thread::get_id(), std::memory_order_relaxed);
  }
  bool try_lock() {
    if (HeldByThisThread() || !mutex_.try_lock()) return false;
    owner_.store(std::this_thread::get_id(), std::memory_order_relaxed);
    return true;
  }
  void unlock() {
    owner_.store(std::thread::id(), std::memory_order_relaxed);
    mutex_.unlock();
  }
  // Relaxed order is enough: only the thread's own stores can make the owner
  // equal its id, and a thread always sees its own stores.
  bool HeldByThisThread() const {
    return owner_.load(std::memory_order_relaxed) == std::this_thread::get_id();
  }

 private:
  std::mutex mutex_;
  std::atomic<std::thread::id> owner_{};
};

}  // namespace kassivo
