// Rendering benchmarks: the bitmap mapper (turn and shrink), the Moon view and the
// altitude chart. Run: build/bench_render (figures go into notes, not into tests).
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "render/altitude_chart.h"
#include "render/moon_view.h"
#include "render/rotate_bitmap.h"
#include "support/render_support.h"

namespace {

constexpr long double kInstant = 45452.75L;  // 2024-06-09 18:00 UTC

MoonRecord BenchRecord() {
  MoonRecord r;
  r.Diam = 1832.9L;
  r.AxisA = 20;
  r.ParallacticAngle = 23.4L;
  return r;
}

void BM_RotateBitmap730Crop(benchmark::State& state) {
  StderrBitmapErrorReporter reporter;
  const QImage source = MakeMarkedDiscFrame(730);
  for (auto _ : state) {
    QImage bitmap = source;  // shares the pixels; RotateBitmap replaces, never writes into them
    RotateBitmap(bitmap, true, kBlack, 23.4L, reporter);
    benchmark::DoNotOptimize(bitmap.constBits());
  }
}
BENCHMARK(BM_RotateBitmap730Crop)->Unit(benchmark::kMillisecond);

void BM_ScaleBitmap(benchmark::State& state) {
  StderrBitmapErrorReporter reporter;
  const QImage source = MakeCoordinateBitmap(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  const long double factor = state.range(0) == 960 ? 0.7604L : 0.3802L;
  for (auto _ : state) {
    QImage bitmap = source;
    ScaleBitmap(bitmap, factor, reporter);
    benchmark::DoNotOptimize(bitmap.constBits());
  }
}
BENCHMARK(BM_ScaleBitmap)->Args({960, 960})->Args({1920, 1080})->Unit(benchmark::kMillisecond);

void BM_DrawMoon(benchmark::State& state) {
  StderrBitmapErrorReporter reporter;
  const QImage frame = MakeMarkedDiscFrame(730);
  const MoonRecord record = BenchRecord();
  MoonViewOptions options;
  options.RotateParallactic = state.range(0) != 0;
  for (auto _ : state) {
    QImage bitmap = NewBitmap(730, 730);
    benchmark::DoNotOptimize(DrawMoon(bitmap, true, record, options, frame, reporter));
  }
}
BENCHMARK(BM_DrawMoon)->Arg(0)->Arg(1)->ArgName("rotate")->Unit(benchmark::kMillisecond);

void BM_DrawPolyLine(benchmark::State& state) {
  StderrBitmapErrorReporter reporter;
  FixedOffsetZone zone(-240);
  const MoonViewServices services{zone, reporter};
  const QImage frame = MakeMarkedDiscFrame(730);
  const MoonRecord record = BenchRecord();
  const MoonViewOptions options;
  QImage chart = MakeSolidBitmap(730, 730, kBlack);
  for (auto _ : state) benchmark::DoNotOptimize(DrawPolyLine(kInstant, record, options, services, frame, chart));
}
BENCHMARK(BM_DrawPolyLine)->Unit(benchmark::kMillisecond);

// What one show of an hour costs for the pictures: the Moon view, turned, and the chart.
void BM_MoonViewAndChart(benchmark::State& state) {
  StderrBitmapErrorReporter reporter;
  FixedOffsetZone zone(-240);
  const MoonViewServices services{zone, reporter};
  const QImage frame = MakeMarkedDiscFrame(730);
  const MoonRecord record = BenchRecord();
  MoonViewOptions options;
  options.RotateParallactic = true;
  QImage image1 = MakeSolidBitmap(730, 730, kBlack), image2 = image1.copy(), frameTiff;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ShowMoon(ViewKind::Moon, kInstant, record, options, services, frame, frameTiff, image2));
    benchmark::DoNotOptimize(DrawPolyLine(kInstant, record, options, services, frame, image1));
  }
}
BENCHMARK(BM_MoonViewAndChart)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);  // fonts for the chart's texts
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
