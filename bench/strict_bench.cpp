// Strict mode's cost: the same supermarket-sized check through CallAsFunc
// with the rules reviewing it first, on a register registered for its
// taxation system and marked goods, with its marking code checked.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "bench_process.h"
#include "packages.h"

namespace kassivo::bench {
namespace {

double Fastest(const std::vector<double>& times) {
  return *std::min_element(times.begin(), times.end());
}

// The code every position of CheckPackageOf carries.
constexpr std::u16string_view kPackageCode =
    u"MDEwNDYwNjIwMzA5ODE4NzIxNUdkbzdCHTkxRUUwNh05MmdQMFE4UW1yVTFKa3VoSnhKU0htaldLcEkzc2dWdks0c0"
    u"hJQVpna1R1MngwPQ==";

// state.range(0): positions. The check is formed (a refusal would skip the
// printing the plain call is measured with).
void BM_StrictCheckCall(benchmark::State& state) {
  BenchProcess process;
  ProcessState& driver = *process.state;
  driver.Registration.TaxationSystems = u"1";
  driver.Registration.IsMarking = true;
  driver.Options.Strict = true;
  const Value package = Value::Text(CheckPackageOf(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    driver.Marking.Request(u"G", kPackageCode);  // a formed check uses its code up
    driver.Marking.Confirm(u"G", 0);
    ArgumentArray args({Value::Text(u"1"), Value::Boolean(false), package, Value()});
    state.ResumeTiming();
    Value result;
    process.component->CallAsFunc(14, result, args);
    if (result != Value::Boolean(true)) state.SkipWithError("strict ProcessCheck refused");
    state.PauseTiming();
    args = ArgumentArray();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_StrictCheckCall)
    ->Arg(10000)
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("min", Fastest);

}  // namespace
}  // namespace kassivo::bench
