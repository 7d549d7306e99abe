// Speed of the astronomy engine's per-instant work, with ERFA's Moon (eraMoon98),
// IAU 2000A nutation (eraNut00a), precession matrix (eraPmat06) and mean sidereal
// time (eraGmst06) run side by side when ERFA is linked.
//   bench_astro --benchmark_counters_tabular=true
#include <benchmark/benchmark.h>

#include <chrono>

#include "astro/coordinates.h"
#include "astro/lunar_phases.h"
#include "astro/moon_position.h"
#include "astro/precession.h"

#if __has_include(<erfa.h>)
#include <erfa.h>
#define ORVANEL_BENCH_ERFA 1
#endif

namespace {

void CountCalls(benchmark::State& state) {
  state.counters["calls/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// Instants spread over 2024-2025 hour by hour, so that no call repeats the last one.
double NextInstant(double& x) {
  x += 1.0 / 24;
  if (x >= 46023.0) x = 45292.0;
  return x;
}

void BM_MoonPosition(benchmark::State& state) {
  double x = 45292.0;
  for (auto _ : state) benchmark::DoNotOptimize(MoonPosition(NextInstant(x)));
  CountCalls(state);
}
BENCHMARK(BM_MoonPosition);

void BM_TopocentricAltAz(benchmark::State& state) {
  double x = 45292.0;
  for (auto _ : state)
    benchmark::DoNotOptimize(
        TopocentricAltAz(NextInstant(x), 100, 20, 0.9L, 41.2979L, -73.0756L, 0));
  CountCalls(state);
}
BENCHMARK(BM_TopocentricAltAz);

// What the program does per displayed hour and per point of the altitude chart.
void BM_MoonPositionAndAltAz(benchmark::State& state) {
  double x = 45292.0;
  for (auto _ : state) {
    const double t = NextInstant(x);
    const MoonPositionRecord m = MoonPosition(t);
    benchmark::DoNotOptimize(TopocentricAltAz(t, m.RightAscension, m.Declination,
                                              m.HorizontalParallax, 41.2979L, -73.0756L, 0));
  }
  CountCalls(state);
}
BENCHMARK(BM_MoonPositionAndAltAz);

void BM_NutationIau2000A(benchmark::State& state) {
  double x = 45292.0;
  for (auto _ : state) benchmark::DoNotOptimize(NutationIau2000A(NextInstant(x)));
  CountCalls(state);
}
BENCHMARK(BM_NutationIau2000A);

void BM_NutationIau1980(benchmark::State& state) {
  double x = 45292.0;
  for (auto _ : state) benchmark::DoNotOptimize(NutationIau1980(NextInstant(x)));
  CountCalls(state);
}
BENCHMARK(BM_NutationIau1980);

void BM_LunationPhases(benchmark::State& state) {
  double K = 290;
  for (auto _ : state) {
    benchmark::DoNotOptimize(LunationPhases(K));
    K = K < 320 ? K + 1 : 290;
  }
  CountCalls(state);
}
BENCHMARK(BM_LunationPhases);

#ifdef ORVANEL_BENCH_ERFA
// Times the program's function and ERFA's in alternating batches over the same
// instants; "ratio" is the program's time per call over ERFA's.
template <class Ours, class Theirs>
void SideBySide(benchmark::State& state, Ours ours, Theirs theirs) {
  using Clock = std::chrono::steady_clock;
  constexpr int kBatch = 64;
  std::chrono::duration<double, std::nano> oursTime{0}, theirsTime{0};
  double x = 45292.0, y = 45292.0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    for (int i = 0; i < kBatch; ++i) ours(NextInstant(x));
    const auto t1 = Clock::now();
    for (int i = 0; i < kBatch; ++i) theirs(NextInstant(y) + 15018.0);  // MJD
    const auto t2 = Clock::now();
    oursTime += t1 - t0;
    theirsTime += t2 - t1;
  }
  const double calls = static_cast<double>(state.iterations()) * kBatch;
  state.counters["orvanel_ns"] = oursTime.count() / calls;
  state.counters["erfa_ns"] = theirsTime.count() / calls;
  state.counters["ratio"] = oursTime.count() / theirsTime.count();
}

void BM_MoonPositionVsEraMoon98(benchmark::State& state) {
  SideBySide(
      state, [](double t) { benchmark::DoNotOptimize(MoonPosition(t)); },
      [](double mjd) {
        double pv[2][3];
        eraMoon98(2400000.5, mjd, pv);
        benchmark::DoNotOptimize(pv);
      });
}
BENCHMARK(BM_MoonPositionVsEraMoon98);

void BM_NutationIau2000AVsEraNut00a(benchmark::State& state) {
  SideBySide(
      state, [](double t) { benchmark::DoNotOptimize(NutationIau2000A(t)); },
      [](double mjd) {
        double dpsi, deps;
        eraNut00a(2400000.5, mjd, &dpsi, &deps);
        benchmark::DoNotOptimize(dpsi);
        benchmark::DoNotOptimize(deps);
      });
}
BENCHMARK(BM_NutationIau2000AVsEraNut00a);

void BM_PrecessionMatrixVsEraPmat06(benchmark::State& state) {
  SideBySide(
      state, [](double t) { benchmark::DoNotOptimize(PrecessionMatrix(JulianCenturiesJ2000(t))); },
      [](double mjd) {
        double r[3][3];
        eraPmat06(2400000.5, mjd, r);
        benchmark::DoNotOptimize(r);
      });
}
BENCHMARK(BM_PrecessionMatrixVsEraPmat06);

void BM_MeanSiderealTimeVsEraGmst06(benchmark::State& state) {
  SideBySide(
      state, [](double t) { benchmark::DoNotOptimize(GreenwichMeanSiderealTime(t)); },
      [](double mjd) { benchmark::DoNotOptimize(eraGmst06(2400000.5, mjd, 2400000.5, mjd)); });
}
BENCHMARK(BM_MeanSiderealTimeVsEraGmst06);
#endif

}  // namespace

BENCHMARK_MAIN();
