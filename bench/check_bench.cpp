// Forming a check of many positions: reading, printing on the tape and the
// answer, through the device operation.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "bench_process.h"
#include "common/text.h"
#include "device/emulator.h"

namespace kassivo {
namespace {

std::u16string PackageOf(std::int64_t positions) {
  std::u16string package =
      u"<CheckPackage><Parameters CashierName=\"Смирнова А.В.\" TaxationSystem=\"1\"/><Positions>";
  for (std::int64_t i = 1; i <= positions; ++i) {
    package +=
        u"<FiscalString Name=\"Товар " + DecimalText(i) +
        u"\" Quantity=\"1.5\" PriceWithDiscount=\"99.90\" AmountWithDiscount=\"149.85\" "
        u"DiscountAmount=\"0.5\" VATRate=\"20\" PaymentMethod=\"4\" CalculationSubject=\"1\" "
        u"MeasurementUnit=\"кг\"><GoodCodeData GTIN=\"04601234567893\"/></FiscalString>";
  }
  package += u"</Positions><Payments Cash=\"1000000\"/></CheckPackage>";
  return package;
}

std::unique_ptr<testing::TestProcess> NewProcess(std::int32_t window_show_type) {
  auto process = std::make_unique<testing::TestProcess>(bench::BenchOptions());
  process->state->Settings.WindowShowType = window_show_type;
  return process;
}

// state.range(0): positions; state.range(1): WindowShowType (0: no tape).
void BM_ProcessCheck(benchmark::State& state) {
  const std::u16string package = PackageOf(state.range(0));
  auto process = NewProcess(static_cast<std::int32_t>(state.range(1)));
  TFPEmulator device(*process->state);
  std::size_t entries = 0;
  for (auto _ : state) {
    std::u16string answer;
    benchmark::DoNotOptimize(device.ProcessCheck(false, false, package, answer));
    entries = process->state->Receipt.entries().size();
  }
  state.counters["tape_entries"] = static_cast<double>(entries);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_ProcessCheck)
    ->Args({200, 2})
    ->Args({2000, 2})
    ->Args({200, 0})
    ->Args({2000, 0})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kassivo
