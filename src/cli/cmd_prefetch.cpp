// The prefetch command: NASA's screen frames of every hour between two instants into
// the frame cache, for use without a connection later.
#include <atomic>
#include <iostream>
#include <mutex>
#include <thread>
#include <vector>

#include "astro/default_place.h"
#include "cli/cli_command.h"
#include "cli/cli_services.h"
#include "core/view_kind.h"
#include "nasa/frame_cache.h"
#include "nasa/frame_prefetcher.h"
#include "nasa/nasa_urls.h"

namespace {

constexpr long double kHour = 1.0L / 24;
constexpr long double kHourSlack = 1e-6L;  // an instant a hair short of the last hour still reaches it

struct Tally {
  std::atomic<int> Fetched{0}, Cached{0}, Failed{0};
  std::mutex Printing;

  int Done() const { return Fetched + Cached + Failed; }
};

// Rewrites the progress line; failures get a line of their own that stays.
void Report(Tally& tally, int total, const std::string& url, const FrameFetch& f) {
  const std::lock_guard lock(tally.Printing);
  if (!f.Result.Ok) std::cerr << "\rfailed: " << url << ": " << f.Result.Reason.toStdString() << "\n";
  std::cerr << "\r" << tally.Done() << "/" << total << " frames" << std::flush;
}

void FetchAll(const FrameCache& cache, const std::vector<std::string>& urls, Tally& tally) {
  std::atomic<std::size_t> next{0};
  const auto work = [&] {
    for (std::size_t i; (i = next++) < urls.size();) {
      const FrameFetch f = cache.Store(urls[i]);
      ++(!f.Result.Ok ? tally.Failed : f.From == FrameFetch::Source::Network ? tally.Fetched : tally.Cached);
      Report(tally, static_cast<int>(urls.size()), urls[i], f);
    }
  };
  std::vector<std::thread> workers;
  for (int w = 0; w < kPrefetchRequests; ++w) workers.emplace_back(work);
  for (std::thread& t : workers) t.join();
  std::cerr << "\n";
}

// Prints "fetched N, already cached N, failed N"; the status is 1 when a frame failed.
int Prefetch(const CliArgs& a, std::ostream& out) {
  const long double from = ParseInstant(a.At(0, "FROM"));
  const long double to = ParseInstant(a.At(1, "TO"));
  // NASA's published years follow one another, so both ends in them is every hour between.
  if (!HasNasaSeries(from) || !HasNasaSeries(to)) throw CliError("FROM and TO must lie in years NASA has published");
  if (to < from) throw CliError("TO must not come before FROM");
  const long double latitude = a.Number("lat", kDefaultLatitude);
  if (latitude < -90 || latitude > 90) throw CliError("--lat must lie between -90 and 90");
  const int view = a.Has("view") ? ParseInteger(a.Options.at("view"), "--view") : 0;
  if (view < 0 || view >= kViewKindCount || ViewKindOf(view) == ViewKind::Drawn)
    throw CliError("--view must be one of NASA's views, 0 to 4");
  const int key = DescriptionOf(ViewKindOf(view)).ScreenKey;
  std::vector<std::string> urls;
  for (long double x = from, k = 1; x <= to + kHourSlack; x = from + k++ * kHour)
    urls.push_back(NasaFrameUrl(CliSite(), key, x, x, latitude));
  const FrameCache cache(DefaultFrameCacheFolder(), Downloader());
  Tally tally;
  FetchAll(cache, urls, tally);
  out << "fetched " << tally.Fetched << ", already cached " << tally.Cached << ", failed " << tally.Failed << "\n";
  return tally.Failed > 0 ? 1 : 0;
}

const CliRegistrar kPrefetch({"prefetch", "prefetch FROM TO [--lat DEG] [--view K]", "lat view", "", 2, 2, Prefetch});

}  // namespace
