// The export downloads the window has running, each with its cancel flag and its
// progress, so that the user can cancel one and closing the window cancels them all.
// A download's state is shared with its worker, which may outlive the window.
#pragma once

#include <atomic>
#include <memory>
#include <vector>

#include "nasa/downloader.h"

class RunningDownloads {
 public:
  struct Download {
    std::atomic<bool> Cancel{false};
    std::atomic<long long> Received{0};
    std::atomic<long long> Total{-1};  // -1 until the server announces the length
  };

  RunningDownloads() = default;
  RunningDownloads(const RunningDownloads&) = delete;
  RunningDownloads& operator=(const RunningDownloads&) = delete;
  ~RunningDownloads() { CancelAll(); }

  std::shared_ptr<Download> Start();
  void Finish(const std::shared_ptr<Download>& download);
  void CancelAll();

  // The controls of a download: its flag, and progress recorded into it. download
  // must outlive the transfer.
  static DownloadControl ControlOf(Download& download);

 private:
  std::vector<std::shared_ptr<Download>> Running;
};
