// Speed of the Moon ephemeris: the eleven values of one instant, and a whole year
// of hourly rows as the data panel or a table of the year would ask for them.
//   bench_ephemeris --benchmark_counters_tabular=true
#include <benchmark/benchmark.h>

#include "astro/moon_ephemeris.h"

namespace {

// One instant at a time, each 17.3 days after the last (wrapping within 1700 ...
// 2300): successive calls fall in other lunations, so none reuses the last new moon.
void BM_OneInstant(benchmark::State& state) {
  constexpr long double kFirst = -73048.0L, kLast = 146097.0L;
  long double x = kFirst;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ComputeMoonHourValues(x));
    x += 17.3L;
    if (x >= kLast) x = kFirst + (x - kLast);
  }
  state.counters["calls/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_OneInstant)->Unit(benchmark::kMicrosecond);

// Every hour of 2025, in order.
void BM_YearOfHourlyRows(benchmark::State& state) {
  constexpr long double kFirst = 45658.0L;  // 2025-01-01 00:00
  for (auto _ : state)
    for (int hour = 0; hour < 8760; ++hour) benchmark::DoNotOptimize(ComputeMoonHourValues(kFirst + hour / 24.0L));
}
BENCHMARK(BM_YearOfHourlyRows)->Unit(benchmark::kMillisecond);

}  // namespace
BENCHMARK_MAIN();
