// The drawn Moon: one 730 x 730 frame of a quarter Moon (relief and earthshine) and
// of a full Moon at perigee, the largest disc. The maps are decoded before timing.
// "CPU" counts both drawing threads: on a busy machine it is the better figure.
// Run: build/bench_drawn_moon (figures go into notes, not into tests).
#include <benchmark/benchmark.h>

#include <QThread>
#include <QThreadPool>
#include <algorithm>

#include "render/drawn_moon.h"
#include "render/moon_maps.h"

namespace {

void BM_DrawMoonFrame(benchmark::State& state) {
  LoadedMoonMaps();
  const MoonHourValues values = HourValuesOf(NasaRecord(*NasaTableOf(2024), static_cast<int>(state.range(0))));
  QThreadPool rows;  // the calling thread and this pool's share the machine's cores
  rows.setMaxThreadCount(std::max(1, QThread::idealThreadCount() - 1));
  for (auto _ : state) {
    QImage frame = DrawMoonFrame(values, &rows);
    benchmark::DoNotOptimize(frame.constBits());
  }
}
// 2024-01-18 04:00 (first quarter, 1912.7 arcseconds) and 2024-10-17 12:00 (full Moon at perigee, 2005.4)
BENCHMARK(BM_DrawMoonFrame)->Arg(412)->Arg(6972)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
