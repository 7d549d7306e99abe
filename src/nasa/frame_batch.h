// Fetching every hourly frame of a range into the frame cache in one go, for use
// without a connection later: the command-line prefetch and the window's
// "Download Frames..." both run this.
//
// The files are fetched in the order given, at most kPrefetchRequests at once, each
// through FrameCache::Store, so a file already on disk costs no request. Once the
// cancel flag is set no further file starts and the transfers running are abandoned.
// A file the cache cannot write ends the batch too: the next would fail alike, each
// after its whole download. The transfers running then finish.
#pragma once

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/view_kind.h"
#include "nasa/frame_cache.h"
#include "nasa/frame_naming.h"
#include "nasa/frame_prefetcher.h"

struct FrameBatchTally {
  int Fetched = 0;       // downloaded now
  int Cached = 0;        // on disk already
  int Failed = 0;
  int NotTried = 0;      // never started: the batch was cancelled, or a file could not be written
  long long Bytes = 0;   // size of the files downloaded now

  int Done() const { return Fetched + Cached + Failed; }
};

// One file finished: the tally so far (this file included), the batch's size and the file.
struct FrameBatchStep {
  const FrameBatchTally& SoFar;
  int Total;
  const std::string& Url;
  const FrameFetch& Result;
};

// Called once per finished file, from the batch's threads but never two at once.
using FrameBatchProgress = std::function<void(const FrameBatchStep&)>;

// The frames of rendition keys (each hour the keys in this order) of the hours from
// `from` to `to` in steps of one hour (days, UTC; a `to` a hair short of the last step
// still reaches it) in the hemisphere of latitude. Both ends are expected in NASA's years.
std::vector<std::string> HourlyFrameUrls(const NasaSite& site, const std::vector<int>& keys, long double from,
                                         long double to, long double latitude);

// Why urls cannot be kept in a cache of capBytes, or none: the room they may need
// (each frame its rendition's uncompressed size, the most it can take) passes the cap,
// so the batch's own last frames would push out its first ones. Says the room needed.
std::optional<std::string> WhyBatchTooLarge(const std::vector<std::string>& urls, long long capBytes);

// Stores urls in cache and returns what became of them; a cancelled batch counts
// only the files that finished.
FrameBatchTally FetchFrameBatch(const FrameCache& cache, const std::vector<std::string>& urls,
                                const FrameBatchProgress& progress, const std::atomic<bool>& cancel,
                                int maxRequests = kPrefetchRequests);

// "fetched N, already cached N, failed N", then ", N not tried" when some were not.
std::string SummaryOf(const FrameBatchTally& tally);
