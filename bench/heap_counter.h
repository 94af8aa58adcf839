// Counts the heap bytes one operation takes, through the global operator new
// and delete, so that a benchmark can report an operation's peak memory.
// Counting is off unless asked for, so that it costs the timed benchmarks
// one relaxed load per allocation.
#pragma once

#include <cstdint>

namespace kassivo::bench {

// Starts counting from zero.
void StartHeapCount();
// Stops counting; returns the most bytes held at once, over what was held
// at the start, since StartHeapCount.
std::int64_t StopHeapCount();

}  // namespace kassivo::bench
