// The driver under the loads a host puts on it: a supermarket-sized check
// through CallAsFunc against pugixml parsing the same text alone, the cost of
// the dispatcher against a direct device call, the answers built afresh on
// every call, and XmlEscape against a plain copy.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <pugixml.hpp>
#include <vector>

#include "bench_process.h"
#include "common/text.h"
#include "package/xml_text.h"
#include "packages.h"
#include "paired_sides.h"

namespace kassivo::bench {
namespace {

// Every benchmark here also reports its fastest repetition, which the
// ratios are taken from: noise on a shared machine only ever adds time.
double Fastest(const std::vector<double>& times) {
  return *std::min_element(times.begin(), times.end());
}

// state.range(0): positions. The tape is on; no presenter watches it.
void BM_ProcessCheckCall(benchmark::State& state) {
  BenchProcess process;
  const Value package = Value::Text(CheckPackageOf(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    ArgumentArray args({Value::Text(u"1"), Value::Boolean(false), package, Value()});
    state.ResumeTiming();
    Value result;
    process.component->CallAsFunc(Method::kProcessCheck, result, args);
    if (result != Value::Boolean(true)) state.SkipWithError("ProcessCheck failed");
    state.PauseTiming();
    args = ArgumentArray();  // the host frees its array outside the call
    state.ResumeTiming();
  }
  state.counters["tape_entries"] = static_cast<double>(process.state->Receipt.entries().size());
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ProcessCheckCall)
    ->Arg(10)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("min", Fastest);

// The same text, UTF-16 as the host passes it, parsed by pugixml alone.
void BM_PugixmlParse(benchmark::State& state) {
  const std::u16string text = CheckPackageOf(state.range(0));
  for (auto _ : state) {
    pugi::xml_document document;
    benchmark::DoNotOptimize(document.load_buffer(text.data(), text.size() * sizeof(char16_t),
                                                  pugi::parse_default, pugi::encoding_utf16));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PugixmlParse)
    ->Arg(10)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("min", Fastest);

// The same package through the driver's parser: UTF-8 conversion, pugixml
// and the conversion into the driver's tree (a part of ProcessCheck).
void BM_DriverXmlParse(benchmark::State& state) {
  BenchProcess process;
  const std::u16string text = CheckPackageOf(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(process.state->platform().xml->Parse(text));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_DriverXmlParse)
    ->Arg(10000)
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("min", Fastest);

// GetLineLength through CallAsFunc against the device's own function, in
// turns of 10,000 calls each (paired_sides.h); a batch's seconds.
void BM_GetLineLength(benchmark::State& state) {
  constexpr int kBatch = 10000;
  BenchProcess process;
  ArgumentArray args({Value::Text(u"1"), Value()});
  TFPEmulator device(*process.state);
  TFPEmulator* called = &device;
  AlternateSides(state, "get_line_length_call", "get_line_length_direct", [&](int side) {
    const double start = ThreadCpuSeconds();
    if (side == 0) {
      for (int i = 0; i < kBatch; ++i) {
        Value result;
        process.component->CallAsFunc(Method::kGetLineLength, result, args);
        benchmark::DoNotOptimize(result);
      }
    } else {
      for (int i = 0; i < kBatch; ++i) {
        benchmark::DoNotOptimize(called);
        benchmark::DoNotOptimize(called->GetLineLength());
      }
    }
    return ThreadCpuSeconds() - start;
  });
}
BENCHMARK(BM_GetLineLength)->ComputeStatistics("min", Fastest);

void BM_GetParameters(benchmark::State& state) {
  BenchProcess process;
  for (auto _ : state) {
    ArgumentArray args({Value()});
    Value result;
    process.component->CallAsFunc(Method::kGetParameters, result, args);
    benchmark::DoNotOptimize(args);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_GetParameters)->ComputeStatistics("min", Fastest);

void BM_GetDataKKT(benchmark::State& state) {
  BenchProcess process;
  for (auto _ : state) {
    ArgumentArray args({Value::Text(u"1"), Value()});
    Value result;
    process.component->CallAsFunc(Method::kGetDataKKT, result, args);
    benchmark::DoNotOptimize(args);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_GetDataKKT)->ComputeStatistics("min", Fastest);

// A registration text with something to escape every few characters.
std::u16string EscapeSample() {
  std::u16string text;
  while (text.size() < 1 << 20) text += u"ООО \"Ромашка & Co\" <г. Тверь>\r\nул. Советская, 5; ";
  return text;
}

void BM_XmlEscape(benchmark::State& state) {
  const std::u16string text = EscapeSample();
  for (auto _ : state) benchmark::DoNotOptimize(XmlEscape(text, false));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size() * 2));
}
BENCHMARK(BM_XmlEscape)->ComputeStatistics("min", Fastest);

void BM_PlainCopy(benchmark::State& state) {
  const std::u16string text = EscapeSample();
  for (auto _ : state) {
    std::u16string copy(text);
    benchmark::DoNotOptimize(copy);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size() * 2));
}
BENCHMARK(BM_PlainCopy)->ComputeStatistics("min", Fastest);

}  // namespace
}  // namespace kassivo::bench
