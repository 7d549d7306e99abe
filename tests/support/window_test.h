// Base of the main-window tests: one QApplication and one temporary settings folder
// for the test program, the program's zone set to UTC and its clock to a fixed
// evening (2024-06-09 18:10) for each test.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <memory>

#include "app/local_clock.h"
#include "app/system_time_zone.h"
#include "astro/time_scales.h"
#include "support/fixed_zone.h"

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

  void SetUp() override {
    SetProgramTimeZone(&Utc);
    SetLocalClock([] { return EncodeDateTimeOrZero(2024, 6, 9, 18, 10, 0, 0); });
  }
  void TearDown() override {
    SetLocalClock({});
    SetProgramTimeZone(nullptr);
  }

  static QString IniPath() { return Config()->path() + "/Quenhalse/Orvanel.ini"; }

  static std::unique_ptr<QTemporaryDir>& Config() {
    static std::unique_ptr<QTemporaryDir> dir;
    return dir;
  }

  FixedOffsetZone Utc{0};
};
