// Where the bitmap mapper's error messages go: a message box with one OK button in
// the window program, standard error in orvanel-cli, a recorder in tests.
#pragma once

#include <QString>

class BitmapErrorReporter {
 public:
  virtual ~BitmapErrorReporter() = default;
  virtual void Report(const QString& message) = 0;
};

// One line on standard error per message, for programs without a window.
class StderrBitmapErrorReporter final : public BitmapErrorReporter {
 public:
  void Report(const QString& message) override;
};
