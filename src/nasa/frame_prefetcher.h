// Fetching the frames the user is about to see into the frame cache, on a small pool
// of its own threads, while the window shows the current one. Its end abandons the
// transfers still running, so that a program closing never waits for the network.
//
// Each Want replaces the list of frames still waiting (the newest direction of travel
// wins); frames already being fetched finish. At most MaxRequests transfers run at
// once. A failed frame is not tried again by the prefetcher; after a failure it pauses
// (0.5 s, doubling with every further failure up to 30 s) and drops the wishes made
// meanwhile, so an unreachable server costs one request per pause, not a stream.
#pragma once

#include <QThreadPool>
#include <atomic>
#include <chrono>
#include <deque>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "nasa/frame_cache.h"
#include "nasa/frame_naming.h"

inline constexpr int kPrefetchRequests = 4;
inline constexpr int kPrefetchAhead = 8;

class FramePrefetcher {
 public:
  explicit FramePrefetcher(const FrameCache& cache, int maxRequests = kPrefetchRequests);
  // Drops what waits and abandons the running transfers.
  ~FramePrefetcher();
  FramePrefetcher(const FramePrefetcher&) = delete;
  FramePrefetcher& operator=(const FramePrefetcher&) = delete;

  // Fetches these URLs into the cache, in this order, in place of those still waiting.
  void Want(const std::vector<std::string>& urls);
  // Blocks until nothing waits and nothing runs (the command-line tool and tests).
  void WaitForDone();

 private:
  using Clock = std::chrono::steady_clock;
  void Work();
  bool Next(std::string& url);
  void Finished(const std::string& url, bool ok);

  FrameCache Cache;
  int MaxRequests;
  std::mutex Lock;
  std::deque<std::string> Waiting;
  std::set<std::string> Running;
  int Workers = 0;
  int FailuresInARow = 0;
  std::atomic<bool> Stopping{false};
  Clock::time_point PausedUntil{};
  QThreadPool Pool;
};

// The URLs of the frames of the `count` steps after instant (before it when step is
// negative, in days) within NASA's years: the Moon frame of each hour and, for the
// other views, the view's own frame too.
std::vector<std::string> FramesAhead(const NasaSite& site, ViewKind view, long double instant, long double step,
                                     int count, long double latitude);
