#include "heap_counter.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace kassivo::bench {

namespace {

std::atomic<bool> counting{false};
std::atomic<std::int64_t> held{0};
std::atomic<std::int64_t> peak{0};

void* Take(std::size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (!block) throw std::bad_alloc();
  if (counting.load(std::memory_order_relaxed)) {
    const std::int64_t now = held += static_cast<std::int64_t>(malloc_usable_size(block));
    std::int64_t seen = peak.load();
    while (now > seen && !peak.compare_exchange_weak(seen, now)) {
    }
  }
  return block;
}

void Give(void* block) {
  if (!block) return;
  if (counting.load(std::memory_order_relaxed)) {
    held -= static_cast<std::int64_t>(malloc_usable_size(block));
  }
  std::free(block);
}

}  // namespace

void StartHeapCount() {
  held = 0;
  peak = 0;
  counting = true;
}

std::int64_t StopHeapCount() {
  counting = false;
  return peak.load();
}

}  // namespace kassivo::bench

void* operator new(std::size_t size) {
  return kassivo::bench::Take(size);
}
void* operator new[](std::size_t size) {
  return kassivo::bench::Take(size);
}
void operator delete(void* block) noexcept {
  kassivo::bench::Give(block);
}
void operator delete[](void* block) noexcept {
  kassivo::bench::Give(block);
}
void operator delete(void* block, std::size_t) noexcept {
  kassivo::bench::Give(block);
}
void operator delete[](void* block, std::size_t) noexcept {
  kassivo::bench::Give(block);
}
