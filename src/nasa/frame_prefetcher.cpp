// The prefetcher's queue and workers.
#include "nasa/frame_prefetcher.h"

#include <algorithm>

#include "core/view_kind.h"
#include "nasa/nasa_urls.h"

namespace {

constexpr auto kFirstPause = std::chrono::milliseconds(500);
constexpr auto kLongestPause = std::chrono::seconds(30);

}  // namespace

FramePrefetcher::FramePrefetcher(const FrameCache& cache, int maxRequests)
    : Cache(cache), MaxRequests(std::max(1, maxRequests)) {
  Pool.setMaxThreadCount(MaxRequests);
}

FramePrefetcher::~FramePrefetcher() {
  {
    std::lock_guard lock(Lock);
    Waiting.clear();
  }
  Stopping = true;
  Pool.waitForDone();
}

void FramePrefetcher::Want(const std::vector<std::string>& urls) {
  std::lock_guard lock(Lock);
  Waiting.clear();
  if (Clock::now() < PausedUntil) return;
  for (const std::string& url : urls)
    if (!Running.count(url)) Waiting.push_back(url);
  const int start = std::min(MaxRequests - Workers, static_cast<int>(Waiting.size()));
  for (int i = 0; i < start; ++i) {
    ++Workers;
    Pool.start([this] { Work(); });
  }
}

void FramePrefetcher::WaitForDone() { Pool.waitForDone(); }

void FramePrefetcher::Work() {
  DownloadControl control;
  control.Cancel = &Stopping;
  std::string url;
  while (Next(url)) Finished(url, Cache.Store(url, control).Result.Ok);
}

// Hands out the next waiting URL, or retires the worker when none is left.
bool FramePrefetcher::Next(std::string& url) {
  std::lock_guard lock(Lock);
  if (Waiting.empty()) {
    --Workers;
    return false;
  }
  url = std::move(Waiting.front());
  Waiting.pop_front();
  Running.insert(url);
  return true;
}

void FramePrefetcher::Finished(const std::string& url, bool ok) {
  std::lock_guard lock(Lock);
  Running.erase(url);
  if (ok) {
    FailuresInARow = 0;
    return;
  }
  const auto pause = std::min<Clock::duration>(kFirstPause * (1LL << std::min(FailuresInARow, 6)), kLongestPause);
  ++FailuresInARow;
  PausedUntil = Clock::now() + pause;
  Waiting.clear();
}

std::vector<std::string> FramesAhead(const NasaSite& site, ViewKind view, long double instant, long double step,
                                     int count, long double latitude) {
  std::vector<std::string> urls;
  for (int k = 1; k <= count; ++k) {
    const long double x = instant + k * step;
    if (IsDrawnView(view) || !HasNasaSeries(x)) break;  // nothing to fetch: the Moon is drawn
    for (const int key : ScreenKeysOf(view)) urls.push_back(NasaFrameUrl(site, key, x, latitude));
  }
  return urls;
}
