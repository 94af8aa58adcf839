// Both sides of a ratio measured in one loop: the two calls alternate (which
// goes first alternates too) and each is timed by the thread's CPU clock, so
// noise that comes and goes over seconds on a shared machine lands on both
// sides alike. The sides are reported as the counters "cpu:NAME" (seconds a
// turn: one call, or a batch of short ones), which bench_main reads as NAME.
#pragma once

#include <benchmark/benchmark.h>
#include <time.h>

#include <string>

namespace kassivo::bench {

inline double ThreadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// `timed(side)` (side 0 or 1) takes one turn and returns the CPU seconds of
// the part measured, starting ThreadCpuSeconds after its own preparation.
template <typename Timed>
void AlternateSides(benchmark::State& state, const std::string& first, const std::string& second,
                    Timed timed) {
  double seconds[2] = {0, 0};
  bool second_first = false;
  for (auto _ : state) {
    if (second_first) seconds[1] += timed(1);
    seconds[0] += timed(0);
    if (!second_first) seconds[1] += timed(1);
    second_first = !second_first;
  }
  state.counters["cpu:" + first] =
      benchmark::Counter(seconds[0], benchmark::Counter::kAvgIterations);
  state.counters["cpu:" + second] =
      benchmark::Counter(seconds[1], benchmark::Counter::kAvgIterations);
}

}  // namespace kassivo::bench
