// Sunrise and sunset over a place on the Moon, found hour by hour in the program's
// hourly values (NASA's where published, its own elsewhere): the hours it can show.
#pragma once

#include <optional>

#include "core/calculate_data.h"

enum class SunEvent { Sunrise, Sunset };

// The lunar day is 29.5 Earth days: a search that finds no event within this span
// is over a place near a pole where the Sun stays up or down.
inline constexpr int kSunEventSearchHours = 31 * 24;

// The first whole UTC hour after the instant `from` at which the Sun stands above
// the horizon of (latDeg, lonDeg) while it stood below it the hour before (Sunrise),
// or below it while above it the hour before (Sunset). None when the span above
// passes without one or the search would leave the covered range.
std::optional<long double> NextSunEvent(SunEvent event, double latDeg, double lonDeg, long double from,
                                        HourValuesLookup hourValues);
