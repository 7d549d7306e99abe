// The frame cache in the working window, against a local stand-in for NASA's server
// that takes 100 ms to answer: the animation's steady rate with prefetching and with
// every frame already cached, and a Next click onto a cached frame.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <chrono>
#include <thread>

#include "app/main_form.h"
#include "astro/time_scales.h"
#include "nasa/frame_cache.h"
#include "nasa/frame_prefetcher.h"
#include "support/fixed_clock.h"
#include "support/fixed_zone.h"
#include "support/hand_off_recorder.h"
#include "support/local_http_server.h"
#include "support/test_images.h"

namespace {

const FixedOffsetZone kUtc(0);
const long double kInstant = EncodeDateTimeOrZero(2024, 6, 9, 18, 0, 0, 0);
constexpr auto kLatency = std::chrono::milliseconds(100);

struct Fixture {
  Fixture()
      : App(argc, argv),
        Jpeg(MakeJpeg(730, 730)),
        Server([this](httplib::Server& s) {
          s.Get(R"(/vis/.*)", [this](const httplib::Request&, httplib::Response& res) {
            std::this_thread::sleep_for(kLatency);
            res.set_content(Jpeg.constData(), Jpeg.size(), "image/jpeg");
          });
        }) {
    qputenv("XDG_CONFIG_HOME", Config.path().toUtf8());
  }
  int argc = 1;
  char name[6] = "bench";
  char* argv[2] = {name, nullptr};
  QTemporaryDir Config;
  QApplication App;
  QByteArray Jpeg;
  LocalHttpServer Server;
  FixedClock Clock{kInstant};
  Downloader Fetch;
  HandOffRecorder Shell;
};

Fixture& Shared() {
  static Fixture f;
  return f;
}

// A window over a cache of its own, empty or filled with the next `cached` hours.
struct Window {
  explicit Window(int cached) {
    Fixture& f = Shared();
    const NasaSite site = MakeNasaSite(f.Server.BaseUrl(), f.Config.path().toStdString());
    FramePrefetcher filler(Frames);
    filler.Want(FramesAhead(site, ViewKind::Moon, kInstant - 1.0L / 24, 1.0L / 24, cached, 41.3L));
    filler.WaitForDone();
    Form = std::make_unique<TForm1>(Services{f.Clock, kUtc, site, f.Fetch, f.Shell, Frames, &Prefetch});
    Form->State.CurrentDateTime = kInstant;
    Form->StepBox->setCurrentIndex(0);  // one hour a step
    Form->State.GlobStep = 1;
  }
  QTemporaryDir Folder;
  FrameCache Frames{Folder.path(), Shared().Fetch};
  FramePrefetcher Prefetch{Frames};
  std::unique_ptr<TForm1> Form;
};

// Steps shown per second, counted over `seconds` after a second of start-up.
double AnimationRate(TForm1& form, int seconds) {
  form.AnimateBox->click();
  int steps = -1;
  long double last = -1;
  QElapsedTimer clock;
  clock.start();
  qint64 started = 0;
  while (clock.elapsed() < 1000 + 1000LL * seconds) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    if (clock.elapsed() < 1000 || form.State.CurrentMoonRecord.DateTime == last) continue;
    if (steps < 0) started = clock.elapsed();
    ++steps;
    last = form.State.CurrentMoonRecord.DateTime;
  }
  form.AnimateBox->click();
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

// From the click to the drawn window, for an hour on disk but not yet decoded.
void BM_NextClickOnCachedFrame(benchmark::State& state) {
  Window w(250);
  w.Form->ShowBoth(kInstant);
  while (w.Form->ShowPending()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
  for (auto _ : state) {
    w.Form->NextBut->click();
    while (w.Form->ShowPending()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 1);
  }
}
BENCHMARK(BM_NextClickOnCachedFrame)->Unit(benchmark::kMillisecond)->Iterations(200);

}  // namespace

BENCHMARK_MAIN();
