// Sunrise and sunset over a feature, found in NASA's rows (2026) and in the
// program's own values (1700): the Sun's altitude, taken independently as 90
// degrees less ERFA's angular separation from the sub-solar point, is below the
// horizon the hour before the event and above it at the event's hour.
#include <erfa.h>
#include <gtest/gtest.h>

#include <cmath>

#include "astro/lunar_features.h"
#include "astro/time_scales.h"
#include "core/feature_sun_events.h"
#include "nasa/hour_values.h"

namespace {

constexpr double kDeg = 3.14159265358979323846 / 180;

double SunAltitude(const LunarFeature& f, long double hour) {
  const MoonHourValues v = HourValuesAt(hour).Values;
  return 90 - eraSeps(f.LongitudeDeg * kDeg, f.LatitudeDeg * kDeg, double(v.Slon) * kDeg, double(v.Slat) * kDeg) / kDeg;
}

TEST(FeatureSunEvents, TheSunCrossesTheHorizonBetweenTheHourBeforeAndTheEventsHour) {
  for (const long double from : {EncodeDateTimeOrZero(2026, 12, 8, 20, 0, 0, 0), EncodeDateTimeOrZero(1700, 3, 1, 5, 30, 0, 0)})
    for (const char* name : {"Copernicus", "Tycho", "Mare Crisium", "Plato"})
      for (const SunEvent event : {SunEvent::Sunrise, SunEvent::Sunset}) {
        const LunarFeature& f = *FindLunarFeature(name);
        const std::optional<long double> hour = NextSunEvent(event, f.LatitudeDeg, f.LongitudeDeg, from, HourValuesAt);
        ASSERT_TRUE(hour.has_value()) << name;
        EXPECT_GT(*hour, from);
        EXPECT_LT(*hour, from + 30);  // one lunar day
        EXPECT_NEAR(std::remainder(double(*hour * 24), 1.0), 0, 1e-6);  // a whole hour
        const double before = SunAltitude(f, *hour - 1.0L / 24), at = SunAltitude(f, *hour);
        if (event == SunEvent::Sunrise) {
          EXPECT_LE(before, 0) << name;
          EXPECT_GT(at, 0) << name;
        } else {
          EXPECT_GT(before, 0) << name;
          EXPECT_LE(at, 0) << name;
        }
        // The Sun moves about half a degree an hour over the Moon's equator.
        EXPECT_LT(std::fabs(at - before), 0.6) << name;
      }
}

TEST(FeatureSunEvents, NoneWhereTheSearchWouldLeaveTheCoveredRange) {
  const LunarFeature& f = *FindLunarFeature("Copernicus");
  EXPECT_FALSE(NextSunEvent(SunEvent::Sunrise, f.LatitudeDeg, f.LongitudeDeg, EncodeDateTimeOrZero(1590, 1, 1, 0, 0, 0, 0), HourValuesAt));
}

}  // namespace
