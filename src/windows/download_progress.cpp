#include "windows/download_progress.h"

#include <QLocale>
#include <QProgressDialog>
#include <QScreen>

namespace {

// The dialog's frame centred on the window's, moved inside the screen's free area.
void CentreOn(QWidget* dialog, const QWidget* window) {
  const QRect frame(QPoint(0, 0), dialog->frameSize());
  QRect placed = frame;
  placed.moveCenter(window->frameGeometry().center());
  if (const QScreen* screen = window->screen()) {
    const QRect free = screen->availableGeometry();
    placed.moveLeft(std::max(free.left(), std::min(placed.left(), free.right() + 1 - placed.width())));
    placed.moveTop(std::max(free.top(), std::min(placed.top(), free.bottom() + 1 - placed.height())));
  }
  dialog->move(placed.topLeft());
}

}  // namespace

QString DownloadProgressText(int done, int total, long long bytes, long long elapsedMs) {
  const QLocale locale;
  QString text = QStringLiteral("%1 / %2 files").arg(done).arg(total);
  if (bytes <= 0) return text;
  text += QStringLiteral(", ") + locale.formattedDataSize(bytes);
  if (done == 0 || elapsedMs <= 0) return text;
  const long long secondsLeft = elapsedMs * (total - done) / done / 1000;
  return text + QStringLiteral(" at %1/s, about %2:%3 left")
                    .arg(locale.formattedDataSize(bytes * 1000 / elapsedMs))
                    .arg(secondsLeft / 60)
                    .arg(secondsLeft % 60, 2, 10, QLatin1Char('0'));
}

QProgressDialog* ShowDownloadProgress(int total, QWidget* parent) {
  auto* progress =
      new QProgressDialog(DownloadProgressText(0, total, 0, 0), QStringLiteral("Cancel"), 0, total, parent);
  progress->setObjectName("DownloadProgress");
  progress->setWindowTitle(QStringLiteral("Download Frames"));
  progress->setWindowModality(Qt::NonModal);  // a modal one would run the event loop inside setValue
  progress->setAutoReset(false);
  progress->setAutoClose(false);
  progress->setMinimumDuration(0);
  // Wide enough for the longest text, so that the window never grows while it counts:
  // a window resized after it is shown stays black until it is painted again.
  const QString longest = DownloadProgressText(total, total, 999'999'999'999, 1) + QStringLiteral("0000");
  progress->setMinimumWidth(progress->fontMetrics().horizontalAdvance(longest) + 48);
  progress->adjustSize();
  if (parent) CentreOn(progress, parent->window());
  progress->show();
  return progress;
}
