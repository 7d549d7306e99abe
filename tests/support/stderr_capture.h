// Captures what the process writes to file descriptor 2 (stderr, also from C
// libraries) between construction and Text(); the old stderr returns on destruction.
#pragma once

#include <cstdio>
#include <string>

class StderrCapture {
 public:
  StderrCapture();
  ~StderrCapture();
  StderrCapture(const StderrCapture&) = delete;
  StderrCapture& operator=(const StderrCapture&) = delete;

  // Everything written so far.
  std::string Text();

 private:
  std::FILE* file_ = nullptr;
  int saved_ = -1;
};
