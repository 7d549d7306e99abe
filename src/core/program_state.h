// The program-wide state of the main window as plain values: one instance, owned by
// TForm1 for the whole run and read and written on the main thread only.
#pragma once

#include <QSize>
#include <cstdint>

#include "astro/default_place.h"
#include "core/covered_range.h"
#include "core/moon_record.h"
#include "core/view_kind.h"

struct ProgramState {
  long double CurrentDateTime = kRangeStart;   // the displayed instant, UTC
  long double Latitude = kDefaultLatitude;     // degrees, north positive
  long double Longitude = kDefaultLongitude;   // degrees, east positive
  std::int32_t GlobStep = 2;                   // hours per step, 1 ... 24
  ViewKind View = ViewKind::Moon;              // the "Show:" choice
  QSize ImageSize{730, 730};                   // the Moon view's drawing size
  bool AnimationRunning = false;               // an animation step is in flight
  MoonRecord CurrentMoonRecord{};              // the record last shown
};
