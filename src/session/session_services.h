// What the show session reaches outside itself, built once in main() (and by tests
// and the command line): the clock, the time-zone rules, NASA's site, the frame cache
// and its prefetcher, and the pools its work runs on.
#pragma once

#include <QThreadPool>

#include "core/clock.h"
#include "astro/time_scales.h"
#include "nasa/frame_cache.h"
#include "nasa/frame_naming.h"
#include "nasa/frame_prefetcher.h"

struct SessionServices {
  const Clock& UtcClock;
  const TimeZoneRules& Zone;
  NasaSite Site;
  const FrameCache& Frames;
  FramePrefetcher* Prefetch;    // fetches the hours ahead after each step; none when null
  QThreadPool& ShowPool;        // the show requests' frame fetches
  QThreadPool& DrawnMoonRows;   // the drawn Moon's rows, shared over the cores
};
