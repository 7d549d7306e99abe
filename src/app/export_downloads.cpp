// TForm1's export downloads: each runs on a worker with a progress dialog whose
// Cancel button stops it; closing the window cancels every one still running.
#include <QProgressDialog>
#include <QTimer>

#include "app/main_form.h"

namespace {

// How long a download runs before its dialog appears: a quick one shows none.
constexpr int kDialogDelayMs = 500;
constexpr int kProgressTickMs = 100;

// A dialog that follows download and cancels it; it never blocks the window.
QProgressDialog* ProgressDialog(QWidget* window, const QString& what,
                                const std::shared_ptr<RunningDownloads::Download>& download) {
  auto* dialog = new QProgressDialog(QStringLiteral("Downloading %1 from NASA …").arg(what),
                                     QStringLiteral("Cancel Download"), 0, 0, window);
  dialog->setWindowTitle(QStringLiteral("Orvanel"));
  dialog->setAutoClose(false);
  dialog->setAutoReset(false);
  dialog->setMinimumDuration(kDialogDelayMs);
  QObject::connect(dialog, &QProgressDialog::canceled, dialog, [download] { download->Cancel = true; });
  // The worker records its progress; the dialog reads it here, on the window's thread.
  auto* tick = new QTimer(dialog);
  QObject::connect(tick, &QTimer::timeout, dialog, [dialog, download] {
    const long long total = download->Total;
    if (total <= 0) return;
    dialog->setMaximum(static_cast<int>(total >> 10));
    dialog->setValue(static_cast<int>(download->Received >> 10));
  });
  tick->start(kProgressTickMs);
  return dialog;
}

}  // namespace

void TForm1::RunDownload(const QString& what, DownloadWork work, std::function<void(const DownloadResult&)> then) {
  const auto download = Downloads.Start();
  QProgressDialog* dialog = ProgressDialog(this, what, download);
  auto result = std::make_shared<DownloadResult>();
  RunInBackground(
      [work = std::move(work), download, result] {
        *result = work(RunningDownloads::ControlOf(*download));
        return result->Ok;
      },
      [this, what, download, dialog, result, then = std::move(then)](bool) {
        Downloads.Finish(download);
        dialog->deleteLater();
        if (!result->Ok) SetStatusText(QStringLiteral(" Download of %1: %2").arg(what, result->Reason));
        then(*result);
      });
}
