// What the window benchmarks share: one QApplication, a temporary settings folder, a
// fixed clock and a local stand-in for NASA's server that answers every /vis/ path
// with a 730-pixel JPEG after `latency`.
#pragma once

#include <QApplication>
#include <QTemporaryDir>
#include <chrono>
#include <thread>

#include "app/main_form.h"
#include "astro/time_scales.h"
#include "support/fixed_clock.h"
#include "support/fixed_zone.h"
#include "support/hand_off_recorder.h"
#include "support/local_http_server.h"
#include "support/test_images.h"

inline const FixedOffsetZone kBenchZone(0);

// A widget of the window by its object name.
template <typename W>
W* Child(const QObject& form, const char* name) {
  return form.findChild<W*>(name);
}
inline const long double kBenchInstant = EncodeDateTimeOrZero(2024, 6, 9, 18, 0, 0, 0);

struct WindowBench {
  explicit WindowBench(std::chrono::milliseconds latency)
      : App(argc, argv),
        Jpeg(MakeJpeg(730, 730)),
        Server([this, latency](httplib::Server& s) {
          s.Get(R"(/vis/.*)", [this, latency](const httplib::Request&, httplib::Response& res) {
            std::this_thread::sleep_for(latency);
            res.set_content(Jpeg.constData(), Jpeg.size(), "image/jpeg");
          });
        }) {
    qputenv("XDG_CONFIG_HOME", Config.path().toUtf8());
  }
  NasaSite Site() const { return MakeNasaSite(Server.BaseUrl(), Config.path().toStdString()); }
  // Lets the window's events run until its newest show has been drawn.
  static void WaitForShow(const TForm1& form) {
    while (form.Session().Pending()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 1);
  }

  int argc = 1;
  char name[6] = "bench";
  char* argv[2] = {name, nullptr};
  QTemporaryDir Config;
  QApplication App;
  QByteArray Jpeg;
  LocalHttpServer Server;
  FixedClock Clock{kBenchInstant};
  Downloader Fetch;
  HandOffRecorder Shell;
};
