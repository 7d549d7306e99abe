// gtest_main runs the tests, but painting text, widgets and the clipboard need a Qt
// application first: QtEnvironment<App> creates one before the first test and ends it
// after the last. Register it from exactly one source file of a test program, through
// the headers below.
#pragma once

#include <gtest/gtest.h>

#include <memory>

template <typename Application>
class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { app_ = std::make_unique<Application>(argc_, argv_); }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[6] = "tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<Application> app_;
};
