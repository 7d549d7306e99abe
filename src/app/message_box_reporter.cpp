#include "app/message_box_reporter.h"

#include <QMessageBox>

void MessageBoxReporter::Report(const QString& message) {
  QMessageBox::warning(Parent, QStringLiteral("Orvanel"), message, QMessageBox::Ok);
}
