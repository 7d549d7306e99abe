// gtest_main runs the tests, but widgets, pixmaps and the clipboard need a QApplication
// first: this environment creates one before the first test and ends it after the last.
// Include the header in exactly one source file of a test program.
#pragma once

#include <QApplication>
#include <gtest/gtest.h>

#include <memory>

class QtApplicationEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { app_ = std::make_unique<QApplication>(argc_, argv_); }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[6] = "tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> app_;
};

inline ::testing::Environment* const kQtApplicationEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);
