// The cost of the call journal: the same calls with the journal off and on
// (appending to a real file in the temporary folder, which rotates past its
// limit as in a host's long day).
#include <benchmark/benchmark.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_process.h"
#include "packages.h"

namespace kassivo::bench {
namespace {

double FastestTime(const std::vector<double>& times) {
  return *std::min_element(times.begin(), times.end());
}

// A journal file for the benchmark, removed (with its older generation) when
// it ends; none when `on` is false.
struct BenchJournal {
  BenchJournal(ProcessState& state, bool on) {
    if (!on) return;
    path = std::filesystem::temp_directory_path() /
           ("kassivo-bench-journal-" + std::to_string(getpid()) + ".txt");
    state.Options.Journal = path.u16string();
  }
  ~BenchJournal() {
    if (path.empty()) return;
    std::filesystem::remove(path);
    std::filesystem::remove(path.string() + ".1");
  }
  std::filesystem::path path;
};

// state.range(0): 1 with the journal on.
void BM_JournalGetLineLength(benchmark::State& state) {
  BenchProcess process;
  BenchJournal journal(*process.state, state.range(0) != 0);
  ArgumentArray args({Value::Text(u"1"), Value()});
  for (auto _ : state) {
    Value result;
    process.component->CallAsFunc(23, result, args);
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(BM_JournalGetLineLength)->Arg(0)->Arg(1)->ComputeStatistics("min", FastestTime);

double ThreadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// A 1000-position check in two processes, the journal off in one and on in
// the other, called in turn (which goes first alternates) and each call
// timed by the thread's CPU clock: noise that comes and goes over seconds
// lands on both sides of the ratio alike. Reported as the counters
// cpu:journal_check_1000_off and cpu:journal_check_1000_on, seconds a call.
void BM_JournalCheck1000(benchmark::State& state) {
  BenchProcess off_process;
  BenchProcess on_process;
  BenchJournal journal(*on_process.state, true);
  const Value package = Value::Text(CheckPackageOf(1000));
  double seconds[2] = {0, 0};
  bool on_first = false;
  auto call = [&](BenchProcess& process, int side) {
    ArgumentArray args({Value::Text(u"1"), Value::Boolean(false), package, Value()});
    Value result;
    const double start = ThreadCpuSeconds();
    process.component->CallAsFunc(14, result, args);
    seconds[side] += ThreadCpuSeconds() - start;
    if (result != Value::Boolean(true)) state.SkipWithError("ProcessCheck failed");
  };
  for (auto _ : state) {
    if (on_first) call(on_process, 1);
    call(off_process, 0);
    if (!on_first) call(on_process, 1);
    on_first = !on_first;
  }
  state.counters["cpu:journal_check_1000_off"] =
      benchmark::Counter(seconds[0], benchmark::Counter::kAvgIterations);
  state.counters["cpu:journal_check_1000_on"] =
      benchmark::Counter(seconds[1], benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_JournalCheck1000)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", FastestTime);

}  // namespace
}  // namespace kassivo::bench
