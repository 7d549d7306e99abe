// The working window's costs: CalculateData alone, and a show request against a local
// stand-in for NASA's server split into download, decode and drawing, plus the
// animation's steps per second.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include "core/calculate_data.h"
#include "core/rise_set_cache.h"
#include "nasa/downloader.h"
#include "nasa/frame_cache.h"
#include "nasa/frame_naming.h"
#include "nasa/image_decode.h"
#include "nasa/hour_values.h"
#include "window_bench.h"

namespace {

const FixedOffsetZone& kUtc = kBenchZone;
const long double kInstant = kBenchInstant;

struct Fixture : WindowBench {
  Fixture() : WindowBench(std::chrono::milliseconds(0)) {}
  Services MakeServices() { return Services{Clock, kUtc, Site(), Fetch, Shell, Frames, nullptr, Pools}; }
  QTemporaryDir CacheDir;
  FrameCache Frames{CacheDir.path(), Fetch};
  WorkerPools Pools;
};

Fixture& Shared() {
  static Fixture f;
  return f;
}

// A whole process of the desktop program, from its start until it writes `word` (see
// window_process.cpp), against the local stand-in for NASA's server, with settings and
// a frame cache of its own each time: what a user waits for at start-up.
void TimeProcess(benchmark::State& state, const QString& program, const QByteArray& word) {
  Fixture& f = Shared();
  for (auto _ : state) {
    QTemporaryDir home;
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("XDG_CONFIG_HOME", home.filePath("config"));
    environment.insert("XDG_CACHE_HOME", home.filePath("cache"));
    environment.insert("ORVANEL_NASA_SERVER", QString::fromStdString(f.Server.BaseUrl()));
    process.setProcessEnvironment(environment);
    QElapsedTimer clock;
    clock.start();
    process.start(program, {});
    QByteArray said;
    while (!said.contains(word) && process.waitForReadyRead(60000)) said += process.readAllStandardOutput();
    state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) * 1e-9);
    process.waitForFinished();
    if (!said.contains(word)) state.SkipWithError("the window process never said what it waits for");
  }
}

void BM_ProcessBareQtWindowPainted(benchmark::State& state) { TimeProcess(state, ORVANEL_BARE_WINDOW, "painted"); }
BENCHMARK(BM_ProcessBareQtWindowPainted)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_ProcessWindowPainted(benchmark::State& state) { TimeProcess(state, ORVANEL_WINDOW_PROCESS, "painted"); }
BENCHMARK(BM_ProcessWindowPainted)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_ProcessWindowComplete(benchmark::State& state) { TimeProcess(state, ORVANEL_WINDOW_PROCESS, "shown"); }
BENCHMARK(BM_ProcessWindowComplete)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

// The first window of a process, from its making to its first hour drawn: an hour of
// a year NASA has not published, so the drawn Moon waits for the Moon maps, which
// are decoded once per process. Run it alone: --benchmark_filter=BM_FirstShownWindow
void BM_FirstShownWindow(benchmark::State& state) {
  Fixture& f = Shared();
  for (auto _ : state) {
    TForm1 form(f.MakeServices());
    form.show();
    form.Session().GoTo(EncodeDateTimeOrZero(2031, 5, 1, 0, 0, 0, 0));
    Fixture::WaitForShow(form);
  }
}
BENCHMARK(BM_FirstShownWindow)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

// Records hour after hour through the year given as the argument, from its first
// hour, wrapping after 365 days: 2025 takes NASA's values, 2031 the computed ones.
template <typename Record>
void HourlyRecords(benchmark::State& state, const Record& record) {
  const long double first = EncodeDateTimeOrZero(static_cast<int>(state.range(0)), 1, 1, 0, 0, 0, 0);
  long double x = first;
  for (auto _ : state) {
    benchmark::DoNotOptimize(record(x));
    x += 1.0L / 24;
    if (x >= first + 365) x = first;
  }
}

void BM_CalculateData(benchmark::State& state) {
  HourlyRecords(state, [](long double x) { return CalculateMoonRecord(x, 41.307L, -73.144L, kUtc, HourValuesAt); });
}
BENCHMARK(BM_CalculateData)->Arg(2025)->Arg(2031)->Unit(benchmark::kMicrosecond);

// CalculateData as the window calls it while animating hour by hour: each day's rise
// and set are searched once.
void BM_CalculateDataHourlyWithCache(benchmark::State& state) {
  RiseSetCache cache;
  HourlyRecords(state, [&cache](long double x) {
    return CalculateMoonRecord(x, 41.307L, -73.144L, kUtc, HourValuesAt, std::ref(cache));
  });
}
BENCHMARK(BM_CalculateDataHourlyWithCache)->Arg(2025)->Arg(2031)->Unit(benchmark::kMicrosecond);

void BM_FrameDownload(benchmark::State& state) {
  Fixture& f = Shared();
  const std::string url = f.Server.Url("/vis/a000000/a005100/a005187/frames/730x730_1x1_30p/moon.3859.jpg");
  QByteArray bytes;
  for (auto _ : state) benchmark::DoNotOptimize(f.Fetch.DownloadToStream(url, bytes));
}
BENCHMARK(BM_FrameDownload)->Unit(benchmark::kMillisecond);

void BM_FrameDecode(benchmark::State& state) {
  const QByteArray bytes = Shared().Jpeg;
  QImage frame;
  for (auto _ : state) benchmark::DoNotOptimize(DecodeJpeg(bytes, frame));
}
BENCHMARK(BM_FrameDecode)->Unit(benchmark::kMillisecond);

// From the request to the drawn window: values, download on a worker, decode, drawing.
void BM_ShowRequest(benchmark::State& state) {
  Fixture& f = Shared();
  TForm1 form(f.MakeServices());
  form.Session().GoTo(kInstant);
  for (auto _ : state) {
    form.Session().ShowAgain();
    Fixture::WaitForShow(form);
  }
}
BENCHMARK(BM_ShowRequest)->Unit(benchmark::kMillisecond);

// Animation steps in one second of wall time against the local server.
void BM_AnimationStepsPerSecond(benchmark::State& state) {
  Fixture& f = Shared();
  TForm1 form(f.MakeServices());
  form.Session().GoTo(kInstant);
  for (auto _ : state) {
    Child<QCheckBox>(form, "AnimateBox")->click();
    int steps = 0;
    long double last = form.Session().Record().DateTime;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 1000) {
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
      if (form.Session().Record().DateTime != last) {
        ++steps;
        last = form.Session().Record().DateTime;
      }
    }
    Child<QCheckBox>(form, "AnimateBox")->click();
    state.counters["steps_per_second"] = steps;
  }
}
BENCHMARK(BM_AnimationStepsPerSecond)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
