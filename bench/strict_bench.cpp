// Strict mode's cost: the same supermarket-sized check through CallAsFunc
// with the rules reviewing it first, on a register registered for its
// taxation system and marked goods, with its marking code checked.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "bench_process.h"
#include "packages.h"
#include "paired_sides.h"

namespace kassivo::bench {
namespace {

double Fastest(const std::vector<double>& times) {
  return *std::min_element(times.begin(), times.end());
}

// The code every position of CheckPackageOf carries.
constexpr std::u16string_view kPackageCode =
    u"MDEwNDYwNjIwMzA5ODE4NzIxNUdkbzdCHTkxRUUwNh05MmdQMFE4UW1yVTFKa3VoSnhKU0htaldLcEkzc2dWdks0c0"
    u"hJQVpna1R1MngwPQ==";

// CheckPackageOf with a code of its own on each position (one code on two
// positions is refused): the package's code with its first five characters
// replaced by the position's number, as real codes differ in their serial
// numbers near the front. The codes are added to `codes`.
std::u16string PackageWithCodes(std::int64_t positions, std::vector<std::u16string>& codes) {
  const std::u16string package = CheckPackageOf(positions);
  std::u16string numbered;
  std::size_t copied = 0;
  for (std::size_t at = package.find(kPackageCode); at != std::u16string::npos;
       at = package.find(kPackageCode, copied)) {
    std::u16string code = DecimalText(static_cast<std::int64_t>(100001 + codes.size())).substr(1) +
                          std::u16string(kPackageCode.substr(5));
    numbered.append(package, copied, at - copied);
    numbered += code;
    codes.push_back(std::move(code));
    copied = at + kPackageCode.size();
  }
  numbered.append(package, copied);
  return numbered;
}

// A 10,000-position check in two processes, plain in one and strict in the
// other, called in turn (paired_sides.h). The check is formed in both (a
// refusal would skip the printing the plain call does).
void BM_StrictCheckCall(benchmark::State& state) {
  BenchProcess plain;
  BenchProcess strict;
  ProcessState& driver = *strict.state;
  driver.Registration.TaxationSystems = u"1";
  driver.Registration.IsMarking = true;
  driver.Options.Strict = true;
  std::vector<std::u16string> codes;
  const Value package = Value::Text(PackageWithCodes(10000, codes));
  AlternateSides(state, "check_10000_plain", "check_10000_strict", [&](int side) {
    if (side == 1) {
      // A formed check uses its codes up.
      for (const std::u16string& code : codes) {
        driver.Marking.Request(code, code);
        driver.Marking.Confirm(code, 0);
      }
    }
    ArgumentArray args({Value::Text(u"1"), Value::Boolean(false), package, Value()});
    Value result;
    const double start = ThreadCpuSeconds();
    (side == 0 ? plain : strict).component->CallAsFunc(Method::kProcessCheck, result, args);
    const double seconds = ThreadCpuSeconds() - start;
    if (result != Value::Boolean(true)) state.SkipWithError("ProcessCheck refused");
    return seconds;
  });
}
BENCHMARK(BM_StrictCheckCall)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);

}  // namespace
}  // namespace kassivo::bench
