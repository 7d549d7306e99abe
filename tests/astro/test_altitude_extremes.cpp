// The search for the year's highest and lowest Moon at the reference place.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "astro/altitude_extremes.h"
#include "astro/coordinates.h"
#include "astro/moon_position.h"
#include "astro/time_scales.h"

namespace {

constexpr long double kHour = 1.0L / 24.0L;

// Synthetic altitude sources: the search rule is tested apart from the Moon.
int gSamples = 0;
long double gFirstSample = 0, gLastSample = 0;

long double Counting(long double t) {
  if (gSamples++ == 0) gFirstSample = t;
  gLastSample = t;
  return 10;
}
long double HighestAtNewYear(long double t) { return t >= EncodeDate(2025, 1, 1) ? 80 : 50; }
long double LevelAbove(long double) { return 30; }
long double LevelBelow(long double) { return -10; }
long double OnTheHorizon(long double) { return 0; }
// 40 degrees at 06:00 and 18:00 of 10 March 2025, -40 at 03:00 and 15:00 of 2 May, else 5.
long double TwoPeaks(long double t) {
  const long double hour = std::round(t * 24.0L);
  for (const long double peak : {EncodeDate(2025, 3, 10) + 6 * kHour, EncodeDate(2025, 3, 10) + 18 * kHour})
    if (hour == std::round(peak * 24.0L)) return 40;
  for (const long double dip : {EncodeDate(2025, 5, 2) + 3 * kHour, EncodeDate(2025, 5, 2) + 15 * kHour})
    if (hour == std::round(dip * 24.0L)) return -40;
  return 5;
}

TEST(SearchAltitudeExtremes, SamplesEveryWholeHourOfTheYearAndTheNextNewYear) {
  struct Case {
    long double current;
    int samples;
    long double first, last;
  };
  // The minutes of the current instant play no part.
  const Case cases[] = {
      {EncodeDate(2024, 5, 5) + 13.6L * kHour, 24 * 366 + 1, EncodeDate(2024, 1, 1), EncodeDate(2025, 1, 1)},
      {EncodeDate(2025, 12, 31) + 23.9L * kHour, 24 * 365 + 1, EncodeDate(2025, 1, 1), EncodeDate(2026, 1, 1)},
  };
  for (const Case& c : cases) {
    gSamples = 0;
    SearchAltitudeExtremes(c.current, Counting);
    EXPECT_EQ(gSamples, c.samples);
    EXPECT_EQ(gFirstSample, c.first);
    EXPECT_EQ(gLastSample, c.last);
  }
}

TEST(SearchAltitudeExtremes, TheFinalSampleCanWinTheMaximum) {
  const AltitudeExtremes e = SearchAltitudeExtremes(EncodeDate(2024, 7, 1), HighestAtNewYear);
  EXPECT_EQ(e.MaxInstant, EncodeDate(2025, 1, 1));
  EXPECT_EQ(e.MaxAltitude, 80);
}

TEST(SearchAltitudeExtremes, TiesGoToTheLaterHour) {
  const long double current = EncodeDate(2025, 2, 2) + 0.3L;
  const AltitudeExtremes e = SearchAltitudeExtremes(current, TwoPeaks);
  EXPECT_NEAR(e.MaxInstant, EncodeDate(2025, 3, 10) + 18 * kHour, 1e-9L);
  EXPECT_EQ(e.MaxAltitude, 40);
  EXPECT_NEAR(e.MinInstant, EncodeDate(2025, 5, 2) + 15 * kHour, 1e-9L);
  EXPECT_EQ(e.MinAltitude, -40);
}

// Neither extreme moves unless a sample reaches 0 degrees from its side.
TEST(SearchAltitudeExtremes, AnExtremeThatNoSampleReachesStaysAtTheCurrentInstant) {
  const long double current = EncodeDate(2025, 2, 2) + 0.3L;
  const AltitudeExtremes above = SearchAltitudeExtremes(current, LevelAbove);
  EXPECT_EQ(above.MaxInstant, EncodeDate(2026, 1, 1));
  EXPECT_EQ(above.MinInstant, current);
  EXPECT_EQ(above.MinAltitude, 0);
  const AltitudeExtremes below = SearchAltitudeExtremes(current, LevelBelow);
  EXPECT_EQ(below.MaxInstant, current);
  EXPECT_EQ(below.MaxAltitude, 0);
  EXPECT_EQ(below.MinInstant, EncodeDate(2026, 1, 1));
  EXPECT_EQ(below.MinAltitude, -10);
}

// A sample at exactly 0 raises (ties) the maximum and so is never taken as a minimum.
TEST(SearchAltitudeExtremes, ASampleThatRaisesTheMaximumIsNotConsideredForTheMinimum) {
  const long double current = EncodeDate(2024, 3, 3);
  const AltitudeExtremes e = SearchAltitudeExtremes(current, OnTheHorizon);
  EXPECT_EQ(e.MaxInstant, EncodeDate(2025, 1, 1));
  EXPECT_EQ(e.MinInstant, current);
}

TEST(SearchAltitudeExtremes, AnInstantThatIsNoDateTimeSearchesNothing) {
  gSamples = 0;
  const long double nan = std::numeric_limits<long double>::quiet_NaN();
  const AltitudeExtremes e = SearchAltitudeExtremes(nan, Counting);
  EXPECT_EQ(gSamples, 0);
  EXPECT_TRUE(std::isnan(e.MaxInstant));
  SearchAltitudeExtremes(1e30L, Counting);
  EXPECT_EQ(gSamples, 0);
}

TEST(ReferenceAltitude, IsTheTopocentricAltitudeAtTheReferencePlace) {
  const double t = static_cast<double>(EncodeDate(2024, 6, 9) + 18 * kHour);
  const MoonPositionRecord m = MoonPosition(t);
  const HorizontalPosition h = TopocentricAltAz(t, m.RightAscension, m.Declination,
                                                m.HorizontalParallax, 41.2979L, -73.0756L, 0);
  EXPECT_EQ(ReferenceAltitude(t), h.Altitude);
}

// 2024 and 2025 lie at the major lunar standstill (declination up to about 28.7
// degrees), so at latitude 41.3 the Moon culminates near 90 - 41.3 + 28.5 = 77
// degrees and reaches its lowest near -77: an hourly sample comes within half a
// degree of either.
TEST(FindAltitudeExtremes, FindsTheStandstillCulminationsOfTheYear) {
  for (const int year : {2024, 2025}) {
    const AltitudeExtremes e = FindAltitudeExtremes(EncodeDate(year, 6, 15) + 0.3L);
    EXPECT_GT(e.MaxAltitude, 76.5L) << year;
    EXPECT_LT(e.MaxAltitude, 77.5L) << year;
    EXPECT_LT(e.MinAltitude, -76.5L) << year;
    EXPECT_GT(e.MinAltitude, -77.5L) << year;
    for (const long double instant : {e.MaxInstant, e.MinInstant}) {
      EXPECT_EQ(YearOf(instant), year);
      EXPECT_NEAR(instant * 24, std::round(instant * 24), 1e-6L);
    }
    EXPECT_EQ(ReferenceAltitude(e.MaxInstant), e.MaxAltitude);
    EXPECT_EQ(ReferenceAltitude(e.MinInstant), e.MinAltitude);
    // The neighbouring hours are lower (higher).
    EXPECT_LT(ReferenceAltitude(e.MaxInstant - kHour), e.MaxAltitude);
    EXPECT_LT(ReferenceAltitude(e.MaxInstant + kHour), e.MaxAltitude);
    EXPECT_GT(ReferenceAltitude(e.MinInstant - kHour), e.MinAltitude);
    EXPECT_GT(ReferenceAltitude(e.MinInstant + kHour), e.MinAltitude);
  }
}

}  // namespace
