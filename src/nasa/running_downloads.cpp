#include "nasa/running_downloads.h"

#include <algorithm>

std::shared_ptr<RunningDownloads::Download> RunningDownloads::Start() {
  Running.push_back(std::make_shared<Download>());
  return Running.back();
}

void RunningDownloads::Finish(const std::shared_ptr<Download>& download) {
  Running.erase(std::remove(Running.begin(), Running.end(), download), Running.end());
}

void RunningDownloads::CancelAll() {
  for (const auto& download : Running) download->Cancel = true;
}

DownloadControl RunningDownloads::ControlOf(Download& download) {
  DownloadControl control;
  control.Cancel = &download.Cancel;
  control.Progress = [&download](long long received, long long total) {
    download.Received = received;
    download.Total = total;
  };
  return control;
}
