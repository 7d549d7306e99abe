#include "stderr_capture.h"

#include <unistd.h>

#include <stdexcept>

StderrCapture::StderrCapture() : file_(std::tmpfile()) {
  if (!file_) throw std::runtime_error("StderrCapture: no temporary file");
  std::fflush(stderr);
  saved_ = dup(STDERR_FILENO);
  dup2(fileno(file_), STDERR_FILENO);
}

StderrCapture::~StderrCapture() {
  std::fflush(stderr);
  dup2(saved_, STDERR_FILENO);
  close(saved_);
  std::fclose(file_);
}

std::string StderrCapture::Text() {
  std::fflush(stderr);
  std::string text;
  std::rewind(file_);
  for (int c; (c = std::fgetc(file_)) != EOF;) text += static_cast<char>(c);
  return text;
}
