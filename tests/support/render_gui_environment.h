// gtest_main runs the tests, but painting text needs a QGuiApplication (fonts):
// this environment creates one before the first test and ends it after the last.
// Include the header in exactly one source file of a test program.
#pragma once

#include <QGuiApplication>
#include <gtest/gtest.h>

#include <memory>

class RenderGuiEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { app_ = std::make_unique<QGuiApplication>(argc_, argv_); }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[6] = "tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QGuiApplication> app_;
};

inline ::testing::Environment* const kRenderGuiEnvironment =
    ::testing::AddGlobalTestEnvironment(new RenderGuiEnvironment);
