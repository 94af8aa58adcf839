#include "support/allocation_failures.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace kassivo::testing {

namespace {

// -1: unarmed. Otherwise the allocations left before memory runs out; -2
// once it has, and every allocation fails until StopFailingAllocations.
std::atomic<std::int64_t> left{-1};

void* Allocate(std::size_t size) {
  std::int64_t now = left.load(std::memory_order_relaxed);
  while (now >= 0) {
    if (left.compare_exchange_weak(now, now == 0 ? -2 : now - 1)) break;
  }
  if (now == 0 || now == -2) throw std::bad_alloc();
  if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
  throw std::bad_alloc();
}

}  // namespace

void FailAllocationAfter(std::int64_t allocations) {
  left.store(allocations);
}

bool StopFailingAllocations() {
  return left.exchange(-1) == -2;
}

}  // namespace kassivo::testing

void* operator new(std::size_t size) {
  return kassivo::testing::Allocate(size);
}
void* operator new[](std::size_t size) {
  return kassivo::testing::Allocate(size);
}
void operator delete(void* block) noexcept {
  std::free(block);
}
void operator delete[](void* block) noexcept {
  std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
  std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
  std::free(block);
}
// The nothrow forms (std::stable_sort's buffer) come from the same heap, and
// answer null where the others throw.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return kassivo::testing::Allocate(size);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return kassivo::testing::Allocate(size);
  } catch (...) {
    return nullptr;
  }
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
  std::free(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
  std::free(block);
}
