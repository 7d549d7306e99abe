// Decoding NASA-sized frames and looking up the hourly table.
#include <benchmark/benchmark.h>

#include "nasa/image_decode.h"
#include "nasa/nasa_tables.h"
#include "support/test_images.h"

namespace {

// The on-screen Moon frame: a 730 x 730 JPEG.
void BM_DecodeJpeg730(benchmark::State& state) {
  const QByteArray bytes = MakeJpeg(730, 730, 90);
  QImage image;
  for (auto _ : state) {
    benchmark::DoNotOptimize(DecodeJpeg(bytes, image));
  }
  state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_DecodeJpeg730)->Unit(benchmark::kMillisecond);

// A chart frame: 1920 x 1080 TIFF, uncompressed (arg 0) or LZW (arg 1), 16 rows a strip.
void BM_DecodeTiff1920x1080(benchmark::State& state) {
  const TiffCompression compression = state.range(0) ? TiffCompression::Lzw : TiffCompression::None;
  const QByteArray bytes = MakeTiffRgb8(1920, 1080, {compression, 16});
  QImage image;
  for (auto _ : state) {
    benchmark::DoNotOptimize(DecodeTiff(bytes, image));
  }
  state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_DecodeTiff1920x1080)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// One lookup per shown hour; instants walk through both years.
void BM_GetNASAData(benchmark::State& state) {
  long double x = 45292.0L;
  for (auto _ : state) {
    benchmark::DoNotOptimize(GetNASAData(x).AxisA);
    x += 7.0L / 24.0L;
    if (x >= 46023.0L) x -= 731.0L;
  }
}
BENCHMARK(BM_GetNASAData);

}  // namespace

BENCHMARK_MAIN();
