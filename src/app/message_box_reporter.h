// The bitmap mapper's messages in the window program: a message box with one OK button.
#pragma once

#include <QWidget>

#include "render/bitmap_error_reporter.h"

class MessageBoxReporter final : public BitmapErrorReporter {
 public:
  explicit MessageBoxReporter(QWidget* parent) : Parent(parent) {}
  void Report(const QString& message) override;

 private:
  QWidget* Parent;
};
