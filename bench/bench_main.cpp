// Runs the benchmarks, then prints one line per ratio measured in this run,
//   NAME ratio=R target=T ok|over
// and exits non-zero when a ratio is over its target. Times are the fastest
// of five repetitions of the CPU time per iteration: noise from the other
// work of a shared machine only ever adds time, so the fastest repetition is
// the steadiest estimate of what the code itself costs, for both sides of a
// ratio alike.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "bench_process.h"
#include "heap_counter.h"
#include "packages.h"

namespace kassivo::bench {
namespace {

// A benchmark that times its calls itself reports them as counters named
// "cpu:NAME" (seconds a call), taken here as NAME.
constexpr std::string_view kCpuCounter = "cpu:";

class Collector : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      if (run.run_type == Run::RT_Iteration) {
        seconds.emplace(run.run_name.str(), run.GetAdjustedCPUTime());  // the first, if alone
        for (const auto& [name, counter] : run.counters) {
          if (name.starts_with(kCpuCounter)) seconds.emplace(name.substr(4), counter.value);
        }
      } else if (run.aggregate_name == "min") {
        seconds[run.run_name.str()] = run.GetAdjustedCPUTime();
        for (const auto& [name, counter] : run.counters) {
          if (name.starts_with(kCpuCounter)) seconds[name.substr(4)] = counter.value;
        }
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> seconds;  // per iteration, in the run's unit
};

struct Ratio {
  const char* name;
  const char* numerator;
  const char* denominator;
  double target;  // at most
};

const Ratio kRatios[] = {
    {"process_check_10000_vs_parse", "BM_ProcessCheckCall/10000", "BM_PugixmlParse/10000", 2.0},
    {"process_check_growth_1000_to_10000", "BM_ProcessCheckCall/10000", "BM_ProcessCheckCall/1000",
     11.0},
    {"strict_check_10000_vs_plain", "check_10000_strict", "check_10000_plain", 1.10},
    {"journal_on_vs_off_check_1000", "journal_check_1000_on", "journal_check_1000_off", 1.5},
};

// Informative figures, without a target. A host's call crosses COM or the
// native interface at a cost of microseconds, so the dispatch's own few
// nanoseconds are reported, not held to a target.
const Ratio kFigures[] = {
    {"dispatch_get_line_length_vs_direct", "get_line_length_call", "get_line_length_direct", 0},
    {"xml_escape_vs_copy", "BM_XmlEscape", "BM_PlainCopy", 0},
    {"journal_on_vs_off_get_line_length", "BM_JournalGetLineLength/1", "BM_JournalGetLineLength/0",
     0},
};

// The peak heap of one 10,000-position ProcessCheck over the package's own
// size (UTF-16, as the host passes it).
double PeakMemoryOverPackage() {
  BenchProcess process;
  ArgumentArray args(
      {Value::Text(u"1"), Value::Boolean(false), Value::Text(CheckPackageOf(10000)), Value()});
  const double package_bytes = static_cast<double>(args.Get(2).text().size() * 2);
  StartHeapCount();
  Value result;
  process.component->CallAsFunc(Method::kProcessCheck, result, args);
  const double peak = static_cast<double>(StopHeapCount());
  std::printf("process_check_10000_peak_heap bytes=%.0f package_bytes=%.0f\n", peak, package_bytes);
  return peak / package_bytes;
}

}  // namespace
}  // namespace kassivo::bench

int main(int argc, char** argv) {
  using namespace kassivo::bench;
  // Five repetitions unless the command line says otherwise (it comes last).
  std::vector<char*> args = {argv[0]};
  char repetitions[] = "--benchmark_repetitions=5";
  char aggregates[] = "--benchmark_report_aggregates_only=true";
  args.push_back(repetitions);
  args.push_back(aggregates);
  for (int i = 1; i < argc; ++i) args.push_back(argv[i]);
  argc = static_cast<int>(args.size());
  argv = args.data();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
  Collector collector;
  benchmark::RunSpecifiedBenchmarks(&collector);
  benchmark::Shutdown();

  auto ratio_of = [&](const Ratio& ratio, double& value) {
    const auto top = collector.seconds.find(ratio.numerator);
    const auto bottom = collector.seconds.find(ratio.denominator);
    if (top == collector.seconds.end() || bottom == collector.seconds.end()) return false;
    value = top->second / bottom->second;
    return true;
  };
  std::printf("\n");
  int over = 0;
  for (const Ratio& ratio : kRatios) {
    double value = 0;
    if (!ratio_of(ratio, value)) continue;  // filtered out of this run
    const bool ok = value <= ratio.target;
    over += ok ? 0 : 1;
    std::printf("%s ratio=%.2f target=%.2f %s\n", ratio.name, value, ratio.target,
                ok ? "ok" : "over");
  }
  for (const Ratio& figure : kFigures) {
    double value = 0;
    if (ratio_of(figure, value)) std::printf("%s ratio=%.2f\n", figure.name, value);
  }
  for (const char* name : {"BM_GetParameters", "BM_GetDataKKT"}) {
    const auto found = collector.seconds.find(name);
    if (found != collector.seconds.end()) {
      std::printf("%s per_second=%.0f\n", name, 1e9 / found->second);
    }
  }
  std::printf("process_check_10000_peak_heap_vs_package ratio=%.2f\n", PeakMemoryOverPackage());
  return over == 0 ? 0 : 1;
}
