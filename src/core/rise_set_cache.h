// The rise and set the search found for a UTC day and place, remembered: the window
// steps through the hours of a day, and each would otherwise search the same day
// again (the search is most of CalculateData's cost). Used on one thread only.
#pragma once

#include <array>
#include <utility>

#include "core/calculate_data.h"

class RiseSetCache {
 public:
  explicit RiseSetCache(RiseSetSearch search = RiseSetForDay) : Search(std::move(search)) {}

  // The search's result for (Day, OffsetHours, Latitude, WestLongitude); a failing
  // search throws as RiseSetForDay does and is not remembered.
  RiseSetRecord operator()(double Day, long double OffsetHours, long double Latitude, long double WestLongitude);

 private:
  struct Entry {
    bool Used = false;
    double Day = 0;
    long double OffsetHours = 0, Latitude = 0, WestLongitude = 0;
    RiseSetRecord Result{};
  };
  // A local day spans two UTC days, and stepping back and forth touches the days
  // around it: eight entries, replaced in turn.
  RiseSetSearch Search;
  std::array<Entry, 8> Entries{};
  std::size_t Next = 0;
};
