// TForm1's "Download Frames...": NASA's frames of a range of hours fetched into the
// frame cache on a worker while the window stays in use. A progress window that
// blocks nothing counts files and bytes and can cancel; the status bar gets the tally.
#include <QFutureWatcher>
#include <QProgressDialog>
#include <QtConcurrent/QtConcurrentRun>
#include <atomic>
#include <memory>

#include "app/main_form.h"
#include "nasa/frame_batch.h"
#include "windows/download_frames_dialog.h"
#include "windows/download_progress.h"

namespace {

// What the worker and the window share besides the progress value: the bytes so far,
// the user's cancel, and why the last file failed (read once the batch has ended).
struct DownloadMeter {
  std::atomic<bool> Cancel{false};
  std::atomic<long long> Bytes{0};
  QString LastFailure;
};

// The batch's tally, with why the last file failed when one did (a full disk, say).
QString TallyText(const FrameBatchTally& tally, const QString& lastFailure) {
  const QString text = QString::fromStdString(SummaryOf(tally));
  return tally.Failed > 0 ? QStringLiteral("%1 (the last: %2)").arg(text, lastFailure) : text;
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
  // A range the cache cannot hold would push its own first frames out again.
  if (const auto why = WhyBatchTooLarge(urls, Svc.Frames.CapBytes())) {
    SetStatusText(" Download Frames: " + QString::fromStdString(*why));
    return;
  }
  const int total = static_cast<int>(urls.size());
  const auto meter = std::make_shared<DownloadMeter>();
  DownloadProgress = ShowDownloadProgress(total, this);
  connect(DownloadProgress, &QProgressDialog::canceled, this, [this, meter] {
    meter->Cancel = true;
    SetStatusText(QStringLiteral(" Cancelling the frame download ..."));
  });
  auto* watcher = new QFutureWatcher<FrameBatchTally>(this);
  QElapsedTimer clock;
  clock.start();
  connect(watcher, &QFutureWatcherBase::progressValueChanged, this, [this, meter, clock, total](int done) {
    DownloadProgress->setValue(done);
    DownloadProgress->setLabelText(DownloadProgressText(done, total, meter->Bytes, clock.elapsed()));
  });
  connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, meter] {
    watcher->deleteLater();
    DownloadProgress->deleteLater();
    DownloadProgress = nullptr;
    SetStatusText(" Download Frames: " + TallyText(watcher->result(), meter->LastFailure) +
                  (meter->Cancel ? QStringLiteral(", cancelled") : QString()));
  });
  // The window closing ends the batch and abandons the files in flight.
  connect(watcher, &QObject::destroyed, [meter] { meter->Cancel = true; });
  watcher->setFuture(QtConcurrent::run(&Svc.Pools.Exports, [cache = Svc.Frames, urls, meter](QPromise<FrameBatchTally>& promise) {
    promise.setProgressRange(0, static_cast<int>(urls.size()));
    const auto progress = [&](const FrameBatchStep& s) {
      meter->Bytes = s.SoFar.Bytes;
      if (!s.Result.Result.Ok) meter->LastFailure = s.Result.Result.Reason;
      promise.setProgressValue(s.SoFar.Done());
    };
    promise.addResult(FetchFrameBatch(cache, urls, progress, meter->Cancel));
  }));
}
