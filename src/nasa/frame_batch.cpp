// The batch of frames: a few threads taking the next URL from a shared counter.
#include "nasa/frame_batch.h"

#include <QFileInfo>
#include <algorithm>
#include <mutex>
#include <thread>

namespace {

constexpr long double kHour = 1.0L / 24;
constexpr long double kHourSlack = 1e-6L;

// Counts a finished file and reports it, one file at a time.
class Tallier {
 public:
  Tallier(const FrameCache& cache, int total, const FrameBatchProgress& progress)
      : Cache(cache), Total(total), Progress(progress) {}

  void Count(const std::string& url, const FrameFetch& f) {
    const bool fetched = f.Result.Ok && f.From == FrameFetch::Source::Network;
    const long long bytes = fetched ? QFileInfo(Cache.PathOf(url)).size() : 0;
    const std::lock_guard lock(Lock);
    ++(!f.Result.Ok ? Tally.Failed : fetched ? Tally.Fetched : Tally.Cached);
    Tally.Bytes += bytes;
    if (Progress) Progress({Tally, Total, url, f});
  }
  FrameBatchTally Result() const {
    FrameBatchTally t = Tally;
    t.NotTried = Total - t.Done();
    return t;
  }

 private:
  const FrameCache& Cache;
  const int Total;
  const FrameBatchProgress& Progress;
  std::mutex Lock;
  FrameBatchTally Tally;
};

}  // namespace

std::vector<std::string> HourlyFrameUrls(const NasaSite& site, const std::vector<int>& keys, long double from,
                                         long double to, long double latitude) {
  std::vector<std::string> urls;
  for (long double x = from, k = 1; x <= to + kHourSlack; x = from + k++ * kHour)
    for (const int key : keys) urls.push_back(NasaFrameUrl(site, key, x, latitude));
  return urls;
}

std::optional<std::string> WhyBatchTooLarge(const std::vector<std::string>& urls, long long capBytes) {
  long long most = 0;
  for (const std::string& url : urls) most += FrameFileBytes(url.substr(url.rfind('/') + 1)).value_or(0);
  if (most <= capBytes) return std::nullopt;
  constexpr long long kMiB = 1 << 20;
  return "the " + std::to_string(urls.size()) + " frames need up to " + std::to_string((most + kMiB - 1) / kMiB) +
         " MiB, more than the frame cache's cap of " + std::to_string(capBytes / kMiB) + " MiB (FrameCacheMB)";
}

FrameBatchTally FetchFrameBatch(const FrameCache& cache, const std::vector<std::string>& urls,
                                const FrameBatchProgress& progress, const std::atomic<bool>& cancel,
                                int maxRequests) {
  Tallier tallier(cache, static_cast<int>(urls.size()), progress);
  std::atomic<std::size_t> next{0};
  DownloadControl control;
  control.Cancel = &cancel;
  std::atomic<bool> unwritable{false};
  const auto work = [&] {
    for (std::size_t i; !cancel && !unwritable && (i = next++) < urls.size();) {
      const FrameFetch f = cache.Store(urls[i], control);
      if (f.Result.Kind == DownloadFailure::CannotWrite) unwritable = true;
      if (!cancel) tallier.Count(urls[i], f);  // a transfer cut off by the cancel is no finished file
    }
  };
  std::vector<std::thread> workers;
  const auto threads = std::min(static_cast<std::size_t>(std::max(maxRequests, 1)), urls.size());
  for (std::size_t w = 0; w < threads; ++w) workers.emplace_back(work);
  for (std::thread& t : workers) t.join();
  return tallier.Result();
}

std::string SummaryOf(const FrameBatchTally& tally) {
  return "fetched " + std::to_string(tally.Fetched) + ", already cached " + std::to_string(tally.Cached) +
         ", failed " + std::to_string(tally.Failed) +
         (tally.NotTried > 0 ? ", " + std::to_string(tally.NotTried) + " not tried" : "");
}
