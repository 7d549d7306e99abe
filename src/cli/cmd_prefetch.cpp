// The prefetch command: NASA's screen frames of every hour between two instants into
// the frame cache, for use without a connection later.
#include <atomic>
#include <iostream>
#include <vector>

#include "astro/default_place.h"
#include "cli/cli_command.h"
#include "cli/cli_services.h"
#include "core/settings_store.h"
#include "core/view_kind.h"
#include "nasa/frame_batch.h"
#include "nasa/nasa_urls.h"

namespace {

// Rewrites the progress line; failures get a line of their own that stays.
void Report(const FrameBatchStep& step) {
  if (!step.Result.Result.Ok)
    std::cerr << "\rfailed: " << step.Url << ": " << step.Result.Result.Reason.toStdString() << "\n";
  std::cerr << "\r" << step.SoFar.Done() << "/" << step.Total << " frames" << std::flush;
}

// Prints "fetched N, already cached N, failed N"; the status is 1 when a frame failed.
int Prefetch(const CliArgs& a, std::ostream& out) {
  const long double from = ParseInstant(a.At(0, "FROM"));
  const long double to = ParseInstant(a.At(1, "TO"));
  // NASA's published years follow one another, so both ends in them is every hour between.
  if (!HasNasaSeries(from) || !HasNasaSeries(to)) throw CliError("FROM and TO must lie in years NASA has published");
  if (to < from) throw CliError("TO must not come before FROM");
  const long double latitude = a.Number("lat", kDefaultLatitude);
  const int view = a.View();
  if (IsDrawnView(ViewKindOf(view)))
    throw CliError("--view must be one of NASA's views, 0 to 4");
  const int key = DescriptionOf(ViewKindOf(view)).ScreenKey;
  const std::vector<std::string> urls = HourlyFrameUrls(CliSite(), {key}, from, to, latitude);
  // The window's cap, so that a prefetch never makes the window's next start evict.
  const FrameCache cache(DefaultFrameCacheFolder(), Downloader(), ReadSettings().FrameCacheBytes());
  if (const auto why = WhyBatchTooLarge(urls, cache.CapBytes())) throw CliError(*why);
  const std::atomic<bool> never{false};
  const FrameBatchTally tally = FetchFrameBatch(cache, urls, Report, never);
  std::cerr << "\n";
  out << SummaryOf(tally) << "\n";
  return tally.Failed > 0 ? 1 : 0;
}

const CliRegistrar kPrefetch({"prefetch", "prefetch FROM TO [--lat DEG] [--view K]", "lat view", "", 2, 2, Prefetch});

}  // namespace
