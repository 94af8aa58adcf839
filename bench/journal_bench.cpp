// The cost of the call journal: the same calls with the journal off and on
// (appending to a real file in the temporary folder, which rotates past its
// limit as in a host's long day).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_process.h"
#include "packages.h"
#include "paired_sides.h"

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
    process.component->CallAsFunc(Method::kGetLineLength, result, args);
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(BM_JournalGetLineLength)->Arg(0)->Arg(1)->ComputeStatistics("min", FastestTime);

// A 1000-position check in two processes, the journal off in one and on in
// the other, called in turn (paired_sides.h).
void BM_JournalCheck1000(benchmark::State& state) {
  BenchProcess off_process;
  BenchProcess on_process;
  BenchJournal journal(*on_process.state, true);
  const Value package = Value::Text(CheckPackageOf(1000));
  AlternateSides(state, "journal_check_1000_off", "journal_check_1000_on", [&](int side) {
    BenchProcess& process = side == 0 ? off_process : on_process;
    ArgumentArray args({Value::Text(u"1"), Value::Boolean(false), package, Value()});
    Value result;
    const double start = ThreadCpuSeconds();
    process.component->CallAsFunc(Method::kProcessCheck, result, args);
    const double seconds = ThreadCpuSeconds() - start;
    if (result != Value::Boolean(true)) state.SkipWithError("ProcessCheck failed");
    return seconds;
  });
}
BENCHMARK(BM_JournalCheck1000)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", FastestTime);

}  // namespace
}  // namespace kassivo::bench
