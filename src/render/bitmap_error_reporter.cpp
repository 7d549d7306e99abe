#include "render/bitmap_error_reporter.h"

#include <iostream>

void StderrBitmapErrorReporter::Report(const QString& message) {
  std::cerr << message.toStdString() << '\n';
}
