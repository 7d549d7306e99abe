// The frame cache in the working window, against a local stand-in for NASA's server
// that takes 100 ms to answer: the animation's steady rate with prefetching, with
// every frame already cached and with the drawn Moon, a Next click onto a cached frame, and the batch of
// "Download Frames..." and orvanel-cli prefetch.
#include <benchmark/benchmark.h>

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThreadPool>

#include "nasa/frame_batch.h"
#include "nasa/frame_cache.h"
#include "nasa/frame_prefetcher.h"
#include "window_bench.h"

namespace {

constexpr auto kLatency = std::chrono::milliseconds(100);

WindowBench& Shared() {
  static WindowBench f(kLatency);
  return f;
}

// A window over a cache of its own, empty or filled with the next `cached` hours.
struct Window {
  explicit Window(int cached) {
    WindowBench& f = Shared();
    const NasaSite site = f.Site();
    FramePrefetcher filler(Frames);
    filler.Want(FramesAhead(site, ViewKind::Moon, kBenchInstant - 1.0L / 24, 1.0L / 24, cached, 41.3L));
    filler.WaitForDone();
    Form = std::make_unique<TForm1>(Services{f.Clock, kBenchZone, site, f.Fetch, f.Shell, Frames, &Prefetch, Pools});
    Form->Session().GoTo(kBenchInstant);
    Child<QComboBox>(*Form, "StepBox")->setCurrentIndex(0);  // one hour a step
    Form->Session().SetStep(1);
  }
  QTemporaryDir Folder;
  FrameCache Frames{Folder.path(), Shared().Fetch};
  FramePrefetcher Prefetch{Frames};
  std::unique_ptr<TForm1> Form;
  WorkerPools Pools;  // goes first: the show's last worker may still be writing into the folder
};

// Steps shown per second, counted over `seconds` after a second of start-up.
double AnimationRate(TForm1& form, int seconds) {
  Child<QCheckBox>(form, "AnimateBox")->click();
  int steps = -1;
  long double last = -1;
  QElapsedTimer clock;
  clock.start();
  qint64 started = 0;
  while (clock.elapsed() < 1000 + 1000LL * seconds) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    if (clock.elapsed() < 1000 || form.Session().Record().DateTime == last) continue;
    if (steps < 0) started = clock.elapsed();
    ++steps;
    last = form.Session().Record().DateTime;
  }
  Child<QCheckBox>(form, "AnimateBox")->click();
  return steps * 1000.0 / static_cast<double>(clock.elapsed() - started);
}

void BM_AnimationWithPrefetching(benchmark::State& state) {
  for (auto _ : state) {
    Window w(0);
    state.counters["steps_per_second"] = AnimationRate(*w.Form, 4);
  }
}
BENCHMARK(BM_AnimationWithPrefetching)->Iterations(1)->Unit(benchmark::kSecond);

void BM_AnimationAllCached(benchmark::State& state) {
  for (auto _ : state) {
    Window w(24 * 30);
    state.counters["steps_per_second"] = AnimationRate(*w.Form, 4);
  }
}
BENCHMARK(BM_AnimationAllCached)->Iterations(1)->Unit(benchmark::kSecond);

// Offline: the Moon drawn by the program at every step, no frame asked for.
void BM_AnimationDrawnMoon(benchmark::State& state) {
  for (auto _ : state) {
    Window w(0);
    auto* type = Child<QComboBox>(*w.Form, "TypeBox");
    type->setCurrentIndex(IndexOf(ViewKind::Drawn));
    emit type->activated(type->currentIndex());  // as when the user picks it
    state.counters["steps_per_second"] = AnimationRate(*w.Form, 4);
  }
}
BENCHMARK(BM_AnimationDrawnMoon)->Iterations(1)->Unit(benchmark::kSecond);

// From the click to the drawn window, for an hour on disk but not yet decoded.
void BM_NextClickOnCachedFrame(benchmark::State& state) {
  Window w(250);
  WindowBench::WaitForShow(*w.Form);
  for (auto _ : state) {
    Child<QPushButton>(*w.Form, "NextBut")->click();
    WindowBench::WaitForShow(*w.Form);
  }
}
BENCHMARK(BM_NextClickOnCachedFrame)->Unit(benchmark::kMillisecond)->Iterations(200);

// A day of frames into an empty cache, kPrefetchRequests at a time.
void BM_FrameBatch(benchmark::State& state) {
  const std::vector<std::string> urls =
      HourlyFrameUrls(Shared().Site(), {kScreenFrameKey}, kBenchInstant, kBenchInstant + 1, 41.3L);
  const std::atomic<bool> never{false};
  int fetched = 0;
  for (auto _ : state) {
    QTemporaryDir folder;
    fetched += FetchFrameBatch(FrameCache(folder.path(), Shared().Fetch), urls, {}, never).Fetched;
  }
  state.counters["files_per_second"] = benchmark::Counter(fetched, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_FrameBatch)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
