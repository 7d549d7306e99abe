// Base of the main-window tests: one QApplication and one temporary settings folder
// for the test program, and for each test the window's services: the zone UTC, a
// clock fixed at an evening (2024-06-09 18:10), a server that refuses at once
// (tests that fetch give their own) and a hand-off that records.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThreadPool>
#include <functional>
#include <memory>
#include <string>

#include "app/main_form.h"
#include "app/services.h"
#include "astro/time_scales.h"
#include "support/fixed_clock.h"
#include "support/fixed_zone.h"
#include "support/hand_off_recorder.h"
#include "support/test_folders.h"

// A child widget of the window by its object name; the test fails without it.
template <typename W>
W* Child(const QObject& form, const char* name) {
  W* w = form.findChild<W*>(name);
  EXPECT_NE(w, nullptr) << "no " << name;
  return w;
}

class WindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    Config() = std::make_unique<QTemporaryDir>();
    // QSettings takes its folder from XDG_CONFIG_HOME the first time it is used.
    qputenv("XDG_CONFIG_HOME", Config()->path().toUtf8());
    static int argc = 1;
    static char name[] = "tests";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) new QApplication(argc, argv);
  }
  static void TearDownTestSuite() { Config().reset(); }

  // The services a window of this test is built with, as the members stand. The frame
  // cache lives in a folder of the test's own, made with the first window; the
  // prefetcher runs only in tests that set Prefetching, so that the others see the
  // server asked for exactly the frames the window shows.
  Services MakeServices() {
    if (!Frames) {
      CacheDir = MakeTestFolder();
      Frames = std::make_unique<FrameCache>(CacheDir->path(), Fetch);
      Prefetch = std::make_unique<FramePrefetcher>(*Frames);
    }
    return Services{UtcClock, *Zone,  MakeNasaSite(ServerUrl, Config()->path().toStdString()),
                    Fetch,      Shell,  *Frames,
                    Prefetching ? Prefetch.get() : nullptr, Pools};
  }

 public:
  // Lets the window's events run until pred holds; false when it never does.
  static bool ProcessUntil(const std::function<bool()>& pred, int timeoutMs = 20000) {
    QElapsedTimer clock;
    clock.start();
    while (!pred()) {
      if (clock.elapsed() > timeoutMs) return false;
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    }
    return true;
  }

  // Waits until the window shows what it was last asked to show.
  static void WaitForShow(const TForm1& form) {
    ASSERT_TRUE(ProcessUntil([&] { return !form.Session().Pending(); })) << "the show never ended";
  }


 protected:
  static QString IniPath() { return Config()->path() + "/Quenhalse/Orvanel.ini"; }

  static std::unique_ptr<QTemporaryDir>& Config() {
    static std::unique_ptr<QTemporaryDir> dir;
    return dir;
  }

  FixedOffsetZone Utc{0};
  const TimeZoneRules* Zone = &Utc;
  FixedClock UtcClock{EncodeDateTimeOrZero(2024, 6, 9, 18, 10, 0, 0)};
  std::string ServerUrl = "http://127.0.0.1:1";
  Downloader Fetch;
  HandOffRecorder Shell;
  bool Prefetching = false;
  std::unique_ptr<QTemporaryDir> CacheDir;
  std::unique_ptr<FrameCache> Frames;
  std::unique_ptr<FramePrefetcher> Prefetch;  // goes first, finishing its transfers
  // A show's worker may outlive its window: the pools go first, waiting for their
  // workers before the cache folder goes.
  WorkerPools Pools;
};
