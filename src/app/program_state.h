// The program-wide state of the main window: one instance, owned by TForm1 for the
// whole run and read and written on the main thread only.
#pragma once

#include <QImage>
#include <QSize>
#include <cstdint>

#include "app/moon_record.h"

// Day numbers of the covered range and its views.
inline constexpr long double kRangeStart = 45292.0L;  // 2024-01-01 00:00 UTC
inline constexpr long double kRangeEnd = 46023.0L;    // 2026-01-01 00:00 UTC
inline constexpr long double kLastDay = 46022.0L;     // 2025-12-31 00:00 UTC

enum ViewKinds : std::int32_t { ViewMoon = 0, ViewChartH = 1, ViewOrbit = 2, ViewGlobe = 3, ViewChartV = 4 };

struct ProgramState {
  long double CurrentDateTime = kRangeStart;  // the displayed instant, UTC
  long double Latitude = 41.307L;             // degrees, north positive
  long double Longitude = -73.144L;           // degrees, east positive
  std::int32_t GlobStep = 2;                  // hours per step, 1 ... 24
  std::int32_t ViewKind = ViewMoon;           // the "Show:" choice
  QSize ImageSize{730, 730};                  // the Moon view's drawing size
  bool AnimationRunning = false;              // an animation step is in flight
  MoonRecord CurrentMoonRecord{};             // the record last shown
  QImage FrameJpeg;                           // the Moon frame last loaded (24-bit)
  QImage FrameTiff;                           // the chart, orbit or globe frame last loaded
};
