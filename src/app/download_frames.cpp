// TForm1's "Download Frames...": NASA's frames of a range of hours fetched into the
// frame cache on a worker while the window stays in use. A progress window that
// blocks nothing counts files and bytes and can cancel; the status bar gets the tally.
#include <QFutureWatcher>
#include <QLocale>
#include <QProgressDialog>
#include <QtConcurrent/QtConcurrentRun>
#include <atomic>
#include <memory>

#include "app/main_form.h"
#include "nasa/frame_batch.h"
#include "windows/download_frames_dialog.h"

namespace {

// What the worker and the window share besides the progress value: the bytes so far
// and the user's cancel.
struct DownloadMeter {
  std::atomic<bool> Cancel{false};
  std::atomic<long long> Bytes{0};
};

// "12 / 168 files, 3.4 MB at 1.2 MB/s, about 0:42 left"; the rate and the time left
// once a file is done.
QString ProgressText(int done, int total, long long bytes, qint64 elapsedMs) {
  const QLocale locale;
  const QString sofar = QStringLiteral("%1 / %2 files, %3").arg(done).arg(total).arg(locale.formattedDataSize(bytes));
  if (done == 0 || elapsedMs <= 0) return sofar;
  const qint64 secondsLeft = elapsedMs * (total - done) / done / 1000;
  return sofar + QStringLiteral(" at %1/s, about %2:%3 left")
                     .arg(locale.formattedDataSize(bytes * 1000 / elapsedMs))
                     .arg(secondsLeft / 60)
                     .arg(secondsLeft % 60, 2, 10, QLatin1Char('0'));
}

QProgressDialog* MakeProgressWindow(int total, QWidget* parent) {
  auto* progress = new QProgressDialog(ProgressText(0, total, 0, 0), QStringLiteral("Cancel"), 0, total, parent);
  progress->setObjectName("DownloadProgress");
  progress->setWindowTitle(QStringLiteral("Download Frames"));
  progress->setWindowModality(Qt::NonModal);  // a modal one would run the event loop inside setValue
  progress->setAutoReset(false);
  progress->setAutoClose(false);
  progress->setMinimumDuration(0);
  progress->show();
  return progress;
}

}  // namespace

// One download at a time: while one runs, the command brings its progress window up.
void TForm1::DownloadFrames1Click() {
  if (DownloadProgress) {
    if (!DownloadProgress->wasCanceled()) DownloadProgress->show();
    DownloadProgress->raise();
    return;
  }
  auto* dialog = new DownloadFramesDialog(Show.HourShown(), Show.View(), Show.Latitude(), this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &QDialog::accepted, this, [this, dialog] { StartFrameDownload(dialog->Choice()); });
  dialog->open();
}

void TForm1::StartFrameDownload(const FrameRangeChoice& choice) {
  const std::vector<std::string> urls =
      HourlyFrameUrls(Svc.Site, ScreenKeysOf(choice.View), choice.From, choice.To, choice.Latitude);
  const int total = static_cast<int>(urls.size());
  const auto meter = std::make_shared<DownloadMeter>();
  DownloadProgress = MakeProgressWindow(total, this);
  connect(DownloadProgress, &QProgressDialog::canceled, this, [this, meter] {
    meter->Cancel = true;
    SetStatusText(QStringLiteral(" Cancelling the frame download ..."));
  });
  auto* watcher = new QFutureWatcher<FrameBatchTally>(this);
  QElapsedTimer clock;
  clock.start();
  connect(watcher, &QFutureWatcherBase::progressValueChanged, this, [this, meter, clock, total](int done) {
    DownloadProgress->setValue(done);
    DownloadProgress->setLabelText(ProgressText(done, total, meter->Bytes, clock.elapsed()));
  });
  connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, meter] {
    watcher->deleteLater();
    DownloadProgress->deleteLater();
    DownloadProgress = nullptr;
    SetStatusText(" Download Frames: " + QString::fromStdString(SummaryOf(watcher->result())) +
                  (meter->Cancel ? QStringLiteral(", cancelled") : QString()));
  });
  // The window closing ends the batch and abandons the files in flight.
  connect(watcher, &QObject::destroyed, [meter] { meter->Cancel = true; });
  watcher->setFuture(QtConcurrent::run(&Svc.Pools.Exports, [cache = Svc.Frames, urls, meter](QPromise<FrameBatchTally>& promise) {
    promise.setProgressRange(0, static_cast<int>(urls.size()));
    const auto progress = [&](const FrameBatchStep& s) {
      meter->Bytes = s.SoFar.Bytes;
      promise.setProgressValue(s.SoFar.Done());
    };
    promise.addResult(FetchFrameBatch(cache, urls, progress, meter->Cancel));
  }));
}
