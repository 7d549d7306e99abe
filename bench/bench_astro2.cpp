// Lunar series, apparent place, rise and set, parallactic angle and the year's
// altitude extremes: the per-instant cost of the show pipeline's astronomy and
// the cost of one search.
#include <benchmark/benchmark.h>

#include "astro/altitude_extremes.h"
#include "astro/lunar_series.h"
#include "astro/parallactic_angle.h"
#include "astro/rise_set.h"

namespace {

constexpr double kFirstHour = 45292.0;  // 2024-01-01 00:00 UTC
constexpr double kHour = 1.0 / 24.0;

// Successive displayed hours, as stepping through the year gives them.
class Hours {
 public:
  double Next() { return kFirstHour + (i_++ % 17544) * kHour; }

 private:
  long i_ = 0;
};

void BM_LunarSeries(benchmark::State& state) {
  Hours hours;
  for (auto _ : state) benchmark::DoNotOptimize(LunarSeries(hours.Next()));
}
BENCHMARK(BM_LunarSeries)->Unit(benchmark::kMicrosecond);

void BM_MoonRaDecParallax(benchmark::State& state) {
  Hours hours;
  for (auto _ : state) benchmark::DoNotOptimize(MoonRaDecParallax(hours.Next()));
}
BENCHMARK(BM_MoonRaDecParallax)->Unit(benchmark::kMicrosecond);

void BM_RiseSetForDay(benchmark::State& state) {
  Hours hours;
  for (auto _ : state) benchmark::DoNotOptimize(RiseSetForDay(hours.Next(), 0, 41.307L, 73.144L));
}
BENCHMARK(BM_RiseSetForDay)->Unit(benchmark::kMicrosecond);

void BM_GetParallacticAngle(benchmark::State& state) {
  Hours hours;
  for (auto _ : state)
    benchmark::DoNotOptimize(ParallacticAngleForObserver(41.307L, -73.144L, hours.Next()));
}
BENCHMARK(BM_GetParallacticAngle)->Unit(benchmark::kMicrosecond);

// What the show pipeline spends on this engine for one displayed instant.
void BM_RiseSetAndParallacticAngle(benchmark::State& state) {
  Hours hours;
  for (auto _ : state) {
    const double x = hours.Next();
    benchmark::DoNotOptimize(RiseSetForDay(x, 0, 41.307L, 73.144L));
    benchmark::DoNotOptimize(ParallacticAngleForObserver(41.307L, -73.144L, x));
  }
}
BENCHMARK(BM_RiseSetAndParallacticAngle)->Unit(benchmark::kMicrosecond);

void BM_FindAltitudeExtremes(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(FindAltitudeExtremes(45452.75L));
}
BENCHMARK(BM_FindAltitudeExtremes)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
