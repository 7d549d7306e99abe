// The outside world as the main window reaches it, built once in main() (and by
// tests): the clock, the time-zone rules, NASA's site, the downloader, the frame
// cache with its prefetcher, the hand-off to other programs and the worker pools.
// The window is given these and reaches for nothing else.
#pragma once

#include "astro/time_scales.h"
#include "core/clock.h"
#include "export/hand_off.h"
#include "nasa/downloader.h"
#include "nasa/frame_cache.h"
#include "nasa/frame_prefetcher.h"
#include "nasa/frame_naming.h"
#include "session/session_services.h"
#include "session/worker_pools.h"

struct Services {
  const Clock& UtcClock;
  const TimeZoneRules& Zone;
  NasaSite Site;
  const Downloader& Fetch;
  HandOff& Shell;
  const FrameCache& Frames;      // the window's frames come through it
  FramePrefetcher* Prefetch;     // fetches the hours ahead after each step; none when null
  WorkerPools& Pools;            // the show's, the commands' and the drawn Moon's threads

  // The session's, with the zone of the observer's place in place of the computer's.
  SessionServices ForSession(const TimeZoneRules& placeZone) const {
    return {UtcClock, placeZone, Site, Frames, Prefetch, Pools.Show, Pools.DrawnMoonRows};
  }
};
