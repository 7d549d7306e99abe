// Moonrise and moonset by three-day interpolation.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>

#include "astro/coordinates.h"
#include "astro/lunar_series.h"
#include "astro/rise_set.h"
#include "astro/time_scales.h"

namespace {

constexpr long double kRad = 0.017453292519943295769L;
constexpr long double kLatitude = 41.307L, kWestLongitude = 73.144L;

double At(int year, int month, int day, int hour, int minute, int second = 0) {
  return static_cast<double>(EncodeDateTimeOrZero(year, month, day, hour, minute, second, 0));
}

// The reference times are clock readings: the whole second that the instant lies in.
::testing::AssertionResult InSecond(double actual, double reference) {
  const long double seconds = static_cast<long double>(actual) * 86400.0L;
  const long double start = std::round(static_cast<long double>(reference) * 86400.0L);
  if (seconds >= start && seconds < start + 1) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "instant is " << (seconds - start)
                                       << " s from the start of the expected second";
}

// Apparent altitude of the Moon's centre above the standard altitude at instant t,
// evaluated directly at t rather than interpolated from daily positions.
long double AboveStandardAltitude(double t, long double latitude, long double westLongitude) {
  const MoonRaDec m = MoonRaDecParallax(t);
  const long double H = GreenwichApparentSiderealTime(false, t) - westLongitude - m.RightAscension;
  const long double h = AltitudeFromHourAngle(H * kRad, m.Declination * kRad, latitude * kRad) / kRad;
  return h - (0.7275L * m.HorizontalParallax - 34.0L / 60.0L);
}

// A fixed star: the same place on all three days.
std::array<DayPositionRecord, 3> FixedStar(long double ra, long double dec) {
  DayPositionRecord d;
  d.RightAscension = ra;
  d.Declination = dec;
  d.HorizontalParallax = 0;
  return {d, d, d};
}

TEST(RiseSetForDay, ReproducesTheReferenceTimesToTheSecond) {
  struct Case {
    int day;
    double rise, set;
  };
  const Case cases[] = {
      {9, At(2024, 6, 9, 11, 55, 11), At(2024, 6, 9, 2, 59, 49)},
      {20, At(2024, 6, 20, 23, 43, 42), At(2024, 6, 20, 7, 38, 1)},
      {21, At(2024, 6, 21, 18, 0, 0), At(2024, 6, 21, 8, 23, 31)},
      {22, At(2024, 6, 22, 0, 47, 57), At(2024, 6, 22, 9, 20, 37)},
  };
  for (const Case& c : cases) {
    const RiseSetRecord r = RiseSetForDay(At(2024, 6, c.day, 18, 0), 0, kLatitude, kWestLongitude);
    EXPECT_TRUE(InSecond(r.Rise, c.rise)) << "rise of June " << c.day;
    EXPECT_TRUE(InSecond(r.Set, c.set)) << "set of June " << c.day;
  }
}

// Rise and set are chosen independently: on 9 June the set comes before the rise,
// and on 21 June there is no rise at all, so the rise is D itself, exactly.
TEST(RiseSetForDay, ADayWithoutARiseGivesDItselfAndStillASet) {
  const double D = At(2024, 6, 21, 18, 0);
  const RiseSetRecord r = RiseSetForDay(D, 0, kLatitude, kWestLongitude);
  EXPECT_EQ(r.Rise, D);
  EXPECT_NE(r.Set, D);
  EXPECT_EQ(std::trunc(r.Set), std::trunc(D));
  const RiseSetRecord june9 = RiseSetForDay(At(2024, 6, 9, 18, 0), 0, kLatitude, kWestLongitude);
  EXPECT_LT(june9.Set, june9.Rise);
}

// The found events are real crossings: the Moon evaluated directly at them stands at
// the standard altitude. 0.1 degree is what the one-day interpolation spacing
// allows (about half a minute of time); a wrong sign of the longitude, a table not
// centred on D or a sidereal time not taken at DayStart miss by whole degrees.
TEST(RiseSetForDay, EventsLieOnTheStandardAltitude) {
  for (double D = At(2024, 3, 1, 6, 0); D < At(2024, 4, 1, 0, 0); D += 3.0) {
    const RiseSetRecord r = RiseSetForDay(D, 0, kLatitude, kWestLongitude);
    for (const double event : {r.Rise, r.Set}) {
      if (event == D) continue;  // no such event on this day
      EXPECT_NEAR(AboveStandardAltitude(event, kLatitude, kWestLongitude), 0, 0.1) << D;
    }
  }
}

// On 15 to 17 January 2024 the right ascension passes 360 degrees between the
// tabulated days (354.9, 7.6); interpolating the raw values would put the Moon
// half the sky away.
TEST(RiseSetForDay, RightAscensionWrappingPastZeroIsUnwrapped) {
  const double D = At(2024, 1, 16, 18, 0);
  ASSERT_GT(MoonRaDecParallax(D - 1).RightAscension, 300.0L);
  ASSERT_LT(MoonRaDecParallax(D).RightAscension, 60.0L);
  for (const double day : {D - 1, D}) {
    const RiseSetRecord r = RiseSetForDay(day, 0, kLatitude, kWestLongitude);
    ASSERT_NE(r.Rise, day);
    ASSERT_NE(r.Set, day);
    EXPECT_NEAR(AboveStandardAltitude(r.Rise, kLatitude, kWestLongitude), 0, 0.1) << day;
    EXPECT_NEAR(AboveStandardAltitude(r.Set, kLatitude, kWestLongitude), 0, 0.1) << day;
  }
}

// A positive offset moves events across midnight before the day is chosen.
TEST(RiseSetForDay, APositiveOffsetCanChangeTheChosenDay) {
  const double D = At(2024, 6, 20, 18, 0);
  // 23:43:42 UTC becomes 00:43:42 on 21 June: no rise is left on the 20th.
  const RiseSetRecord oneHour = RiseSetForDay(D, 1, kLatitude, kWestLongitude);
  EXPECT_EQ(oneHour.Rise, D);
  EXPECT_TRUE(InSecond(oneHour.Set, At(2024, 6, 20, 8, 38, 1)));
  // Five hours bring the previous day's rise (22:35 UTC on the 19th) onto the 20th;
  // it is the same computation as the rise of the day before at offset 0.
  const RiseSetRecord fiveHours = RiseSetForDay(D, 5, kLatitude, kWestLongitude);
  const RiseSetRecord dayBefore = RiseSetForDay(D - 1, 0, kLatitude, kWestLongitude);
  EXPECT_EQ(std::trunc(fiveHours.Rise), std::trunc(D));
  EXPECT_NEAR(fiveHours.Rise, dayBefore.Rise + 5.0 / 24.0, 1e-9);
}

// Near the pole in June 2024 the Moon (declination 21 to 28 degrees) never crosses
// the horizon on any of the three days: both results are D.
TEST(RiseSetForDay, NoCrossingOnAllThreeDaysGivesDForBoth) {
  const double D = At(2024, 6, 9, 18, 0);
  for (const long double latitude : {89.0L, -89.0L, 80.0L}) {
    const RiseSetRecord r = RiseSetForDay(D, 0, latitude, kWestLongitude);
    EXPECT_EQ(r.Rise, D) << latitude;
    EXPECT_EQ(r.Set, D) << latitude;
  }
}

TEST(RiseSetForDay, AnUnusablePlaceIsReportedAsAFailure) {
  const double D = At(2024, 6, 9, 18, 0);
  const long double nan = std::numeric_limits<long double>::quiet_NaN();
  EXPECT_THROW(RiseSetForDay(D, 0, 91, kWestLongitude), std::domain_error);
  EXPECT_THROW(RiseSetForDay(D, 0, nan, kWestLongitude), std::domain_error);
  EXPECT_THROW(RiseSetForDay(D, 0, kLatitude, nan), std::domain_error);
  EXPECT_THROW(RiseSetForDay(D, nan, kLatitude, kWestLongitude), std::domain_error);
  EXPECT_THROW(RiseSetForDay(std::numeric_limits<double>::quiet_NaN(), 0, kLatitude, kWestLongitude),
               std::domain_error);
}

TEST(RiseTransitSet, MarkersStandForAllThreeEventsWithoutTheOffset) {
  const double dayStart = At(2024, 6, 9, 18, 0);
  const EventFractions above = RiseTransitSet(FixedStar(120, 25), 5, -0.1L, 89, 0, dayStart);
  EXPECT_EQ(above.Rise, AlwaysAbove);
  EXPECT_EQ(above.Transit, AlwaysAbove);
  EXPECT_EQ(above.Set, AlwaysAbove);
  EXPECT_EQ(AlwaysAbove, -3);
  const EventFractions below = RiseTransitSet(FixedStar(120, 25), 5, -0.1L, -89, 0, dayStart);
  EXPECT_EQ(below.Rise, NeverRises);
  EXPECT_EQ(below.Transit, NeverRises);
  EXPECT_EQ(below.Set, NeverRises);
  EXPECT_EQ(NeverRises, -4);
}

// A star on the equator seen from the equator sets six sidereal hours after transit.
// Placed so that it sets 0.01 day after DayStart, the set is reported on the
// following day instead, one sidereal day later.
TEST(RiseTransitSet, ASetJustAfterDayStartMovesToTheNextDay) {
  const double dayStart = At(2024, 6, 9, 18, 0);
  const long double theta0 = GreenwichApparentSiderealTime(false, dayStart);
  const long double ra = theta0 + 360.0L * (0.01L - 0.25L);
  const EventFractions e = RiseTransitSet(FixedStar(ra, 0), 0, 0, 0, 0, dayStart);
  // Hour angle 90 (set) and 270 (rise) degrees, 3.6 degrees of turn after DayStart.
  EXPECT_NEAR(e.Set, (360.0L + 3.6L) / 360.985647L, 1e-6L);
  EXPECT_NEAR(e.Rise, (180.0L + 3.6L) / 360.985647L, 1e-6L);
  // The transit is the first estimate only: 0.24 of a turn before DayStart.
  EXPECT_NEAR(e.Transit, 0.76L, 1e-12L);
  // With an offset, the fractions move by it.
  const EventFractions shifted = RiseTransitSet(FixedStar(ra, 0), 6, 0, 0, 0, dayStart);
  EXPECT_NEAR(shifted.Set, e.Set + 0.25L, 1e-12L);
  EXPECT_NEAR(shifted.Rise, e.Rise + 0.25L, 1e-12L);
}

RiseSetEstimate EquatorialStarEstimate(long double setFraction, long double riseEstimate,
                                       long double setEstimate) {
  // Star at right ascension 0 on the equator, observer on the equator at Greenwich,
  // sidereal time chosen so that the star sets (hour angle 90) at setFraction.
  const long double siderealTime = 90.0L - 360.985647L * setFraction;
  return {FixedStar(0, 0), siderealTime, 0, 0, 0, riseEstimate, setEstimate};
}

// The correction divides by 360 degrees a day, not by the sidereal rate, so each
// pass leaves about 0.3 % of the error (Meeus 15); one pass shrinks it a
// hundredfold at least.
TEST(RefineEvents, OnePassCorrectsBothEventsTowardsTheCrossing) {
  const long double set = 0.3L, rise = 0.3L + 180.0L / 360.985647L;
  RiseSetEstimate e = EquatorialStarEstimate(set, rise + 0.01L, set + 0.01L);
  RefineEvents(e);
  EXPECT_NEAR(e.Set, set, 1e-4L);
  EXPECT_NEAR(e.Rise, rise, 1e-4L);
}

TEST(RefineEvents, ASetCorrectedIntoTheFirstFiftiethOfTheDayTakesThePreviousEstimatePlusOne) {
  RiseSetEstimate early = EquatorialStarEstimate(0.01L, 0.5L, 0.011L);
  RefineEvents(early);
  EXPECT_EQ(early.Set, 0.011L + 1.0L);
  // Just past the limit the correction stands.
  RiseSetEstimate later = EquatorialStarEstimate(0.021L, 0.5L, 0.022L);
  RefineEvents(later);
  EXPECT_NEAR(later.Set, 0.021L, 1e-5L);
}

// Hour angle exactly 0 makes the correction divide by sin H = 0.
TEST(RefineEvents, ADivisionByZeroIsReportedAsAFailure) {
  RiseSetEstimate e{FixedStar(100, 10), 100, -0.5L, 40, 0, 0, 0};
  EXPECT_THROW(RefineEvents(e), std::domain_error);
}

TEST(InterpolateThree, IsExactForAQuadraticThroughTheThreeDays) {
  // y(n) = 2 + 3n + 5n^2 at n = -1, 0, 1.
  for (const long double n : {-1.0L, -0.4L, 0.0L, 0.3L, 1.0L, 1.5L})
    EXPECT_NEAR(InterpolateThree(4, 2, 10, n), 2 + 3 * n + 5 * n * n, 1e-15L) << n;
}

TEST(UnwrapRightAscension, LiftsTheValuesAfterTheWrap) {
  long double a1 = 347, a2 = 359, a3 = 11;
  UnwrapRightAscension(a1, a2, a3);
  EXPECT_EQ(a1, 347);
  EXPECT_EQ(a2, 359);
  EXPECT_EQ(a3, 371);

  a1 = 354.9L, a2 = 7.6L, a3 = 20.1L;
  UnwrapRightAscension(a1, a2, a3);
  EXPECT_EQ(a1, 354.9L);
  EXPECT_EQ(a2, 7.6L + 360);
  EXPECT_EQ(a3, 20.1L + 360);
  // Interpolated halfway between the first two days it lies just past 360.
  EXPECT_NEAR(InterpolateThree(a1, a2, a3, -0.5L), 361.3L, 0.1L);

  a1 = 100, a2 = 113, a3 = 126;
  UnwrapRightAscension(a1, a2, a3);
  EXPECT_EQ(a1, 100);
  EXPECT_EQ(a2, 113);
  EXPECT_EQ(a3, 126);
}

}  // namespace
