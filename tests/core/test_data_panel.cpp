// The data panel, line by line: the typical panel of an evening in June at 41.3 N,
// 73.1 W in US Eastern time, and the formats' edge cases.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <stdexcept>

#include "core/calculate_data.h"
#include "core/data_panel.h"
#include "core/rise_set_cache.h"
#include "core/system_time_zone.h"
#include "astro/parallactic_angle.h"
#include "nasa/hour_values.h"
#include "astro/time_scales.h"
#include "support/fixed_zone.h"

namespace {

// US Eastern time: UTC-5, daylight time (UTC-4) from the second Sunday of March
// 02:00 to the first Sunday of November 02:00.
class EasternZone : public SystemTimeZone {
 public:
  EasternZone() : SystemTimeZone(QTimeZone("America/New_York")) {}
};

const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);

TEST(DataPanel, PrintsTheTypicalPanelLineByLine) {
  const EasternZone zone;
  const long double x = EncodeDateTimeOrZero(2024, 6, 9, 18, 0, 0, 0);
  const MoonRecord r = CalculateMoonRecord(x, 41.307L, -73.144L, zone, HourValuesAt);
  const QStringList expected = {
      "Latitude   41.3070\u00B0 N",
      "Longitude  73.1440\u00B0 W",
      "",
      "Altitude  61.93\u00B0",
      "Azimuth  117.53\u00B0 SE",
      "",
      "Rise Local 07:55 Jun 9",
      "Set  Local 23:38 Jun 9",  // the local day's, not the previous evening's
      "",
      "NASA Data:",
      "Phase  11.80%",
      "Age  3.224 Days",
      "Diam  1832.9 ArcSec",
      "Dist  391,041 Km",
      "RA  8.1403 Hours",
      "Dec  25.1376\u00B0",
      "Slon  145.133\u00B0",
      "Slat  1.430\u00B0",
      "Elon  5.1140\u00B0",
      "Elat  -6.352\u00B0",
      "AxisA  11.778\u00B0",
      "Colong  304.87\u00B0",  // 90 - Slon (Meeus, ch. 53), reduced to 0 ... 360
      "moon.3859.jpg",
      "",
      // The Moon 62 degrees up, 0.84 Earth radii nearer than from the centre.
      "From your place:",
      "Phase  12.00%",
      "Diam  1859.7 ArcSec",
      "Elon  5.4941\u00B0",
      "Elat  -6.130\u00B0",
      "AxisA  11.888\u00B0",
      "Bright Limb  276.9\u00B0",
  };
  const QStringList lines = DataPanelLines(r, 41.307L, -73.144L, zone, kEnglish);
  ASSERT_EQ(lines.size(), 31);
  for (int i = 0; i < 31; ++i) EXPECT_EQ(lines[i], expected[i]) << "line " << i + 1;
}

TEST(DataPanel, UsesTheLocaleDecimalSeparatorButAlwaysCommaGrouping) {
  const FixedOffsetZone utc(0);
  MoonRecord r;
  r.Dist = 1234567.5L;  // a half goes to the even neighbour
  r.Diam = 1832.94L;
  const QStringList lines = DataPanelLines(r, 41.307L, 2.5L, utc, QLocale(QLocale::German));
  EXPECT_EQ(lines[0], "Latitude   41,3070\u00B0 N");
  EXPECT_EQ(lines[1], "Longitude   2,5000\u00B0 E");
  EXPECT_EQ(lines[12], "Diam  1832,9 ArcSec");
  EXPECT_EQ(lines[13], "Dist  1,234,568 Km");
}

TEST(DataPanel, HemisphereSuffixesAtZeroAndSouth) {
  const FixedOffsetZone utc(0);
  const MoonRecord r;
  QStringList lines = DataPanelLines(r, 0, 0, utc, kEnglish);
  EXPECT_EQ(lines[0], "Latitude    0.0000\u00B0 N");
  EXPECT_EQ(lines[1], "Longitude   0.0000\u00B0 W");
  lines = DataPanelLines(r, -33.8688L, 151.2093L, utc, kEnglish);
  EXPECT_EQ(lines[0], "Latitude   33.8688\u00B0 S");
  EXPECT_EQ(lines[1], "Longitude 151.2093\u00B0 E");
}

TEST(DataPanel, AzimuthPaddingAndCompassLimits) {
  const FixedOffsetZone utc(0);
  MoonRecord r;
  const auto azimuthLine = [&](long double a) {
    r.Azimuth = a;
    return DataPanelLines(r, 0, 0, utc, kEnglish)[4];
  };
  EXPECT_EQ(azimuthLine(5.2L), "Azimuth    5.20\u00B0 N");
  EXPECT_EQ(azimuthLine(359.99L), "Azimuth  359.99\u00B0 N");
  EXPECT_EQ(azimuthLine(337.5L), "Azimuth  337.50\u00B0 N");
  EXPECT_EQ(azimuthLine(337.49L), "Azimuth  337.49\u00B0 NW");
  EXPECT_EQ(azimuthLine(-10.0L), "Azimuth  -10.00\u00B0 N");
  r.Altitude = -0.001L;  // rounds to zero: no minus sign
  EXPECT_EQ(DataPanelLines(r, 0, 0, utc, kEnglish)[3], "Altitude   0.00\u00B0");
}

TEST(DataPanel, DistancesAreGroupedByThreesWithHalvesToEven) {
  EXPECT_EQ(GroupedInteger(356830), "356,830");
  EXPECT_EQ(GroupedInteger(1234567), "1,234,567");
  EXPECT_EQ(GroupedInteger(999.5L), "1,000");
  EXPECT_EQ(GroupedInteger(998.5L), "998");
  EXPECT_EQ(GroupedInteger(-4321), "-4,321");
}

TEST(DataPanel, ARiseOfZeroPrintsDayZeroInLocalTime) {
  // No rise or set could be computed: day 0 shown five hours behind UTC reads
  // 19:00 on 29 December (the day count is linear on both sides of day 0).
  const FixedOffsetZone fiveBehind(-300);
  const MoonRecord r;
  const QStringList lines = DataPanelLines(r, 41.307L, -73.144L, fiveBehind, kEnglish);
  EXPECT_EQ(lines[6], "Rise Local 19:00 Dec 29");
  EXPECT_EQ(lines[7], "Set  Local 19:00 Dec 29");
}

// A local day with neither a rise nor a set says on which side of the horizon the
// Moon stays. At 78.2 N (Longyearbyen) the Moon is circumpolar while its declination
// exceeds 12 degrees and never rises while it is below -12: on 9 June 2024 it stood
// at +25 degrees, on 23 June near -26.
TEST(DataPanel, ADayWithNeitherEventSaysUpOrDownAllDay) {
  const FixedOffsetZone utc(0);
  const struct {
    int day;
    const char* words;
  } cases[] = {{9, "up all day"}, {23, "down all day"}};
  for (const auto& c : cases) {
    const long double x = EncodeDateTimeOrZero(2024, 6, c.day, 12, 0, 0, 0);
    const MoonRecord r = CalculateMoonRecord(x, 78.22L, 15.65L, utc, HourValuesAt);
    const QStringList lines = DataPanelLines(r, 78.22L, 15.65L, utc, kEnglish);
    EXPECT_EQ(lines[6], QString("Rise Local ") + c.words) << c.day;
    EXPECT_EQ(lines[7], QString("Set  Local ") + c.words) << c.day;
  }
}

// The last line names NASA's frame of the hour only in the years NASA published.
TEST(DataPanel, NamesANasaFrameOnlyInNasaYears) {
  const FixedOffsetZone utc(0);
  const struct {
    int year;
    const char* frame;
  } cases[] = {{2024, "moon.3859.jpg"}, {2023, ""}, {1950, ""}, {3000, ""}};
  for (const auto& c : cases) {
    const long double x = EncodeDateTimeOrZero(c.year, 6, 9, 18, 0, 0, 0);
    const MoonRecord r = CalculateMoonRecord(x, 41.307L, -73.144L, utc, HourValuesAt);
    EXPECT_EQ(DataPanelLines(r, 41.307L, -73.144L, utc, kEnglish)[22], c.frame) << c.year;
  }
}

// Rise and set are those of the observer's local day, whatever the zone.
TEST(CalculateData, RiseAndSetAreThoseOfTheLocalDay) {
  const EasternZone eastern;
  const FixedOffsetZone utc(0);
  // 2024-06-09 18:00 UTC is 14:00 local (daylight time): the rise at 11:55:11 UTC
  // (07:55 local) is that of 9 June in both zones, within a second.
  const long double june = EncodeDateTimeOrZero(2024, 6, 9, 18, 0, 0, 0);
  const long double rise = EncodeDateTimeOrZero(2024, 6, 9, 11, 55, 11, 0);
  for (const TimeZoneRules* zone : std::initializer_list<const TimeZoneRules*>{&eastern, &utc}) {
    const MoonRecord r = CalculateMoonRecord(june, 41.307L, -73.144L, *zone, HourValuesAt);
    EXPECT_NEAR(static_cast<double>(r.Rise), static_cast<double>(rise), 1.0 / 86400);
  }
  // 2024-12-08 22:00 UTC is 17:00 on 8 December local. The Moon rises at 12:21 that
  // day and next sets at 00:11 on the 9th, after 22:58 on the 7th: the 8th has no set.
  const long double december = EncodeDateTimeOrZero(2024, 12, 8, 22, 0, 0, 0);
  const MoonRecord r = CalculateMoonRecord(december, 41.307L, -73.144L, eastern, HourValuesAt);
  const long double dayStart = EncodeDateTimeOrZero(2024, 12, 8, 5, 0, 0, 0);
  EXPECT_GE(r.Rise, dayStart);
  EXPECT_LT(r.Rise, dayStart + 1);
  const QStringList lines = DataPanelLines(r, 41.307L, -73.144L, eastern, kEnglish);
  EXPECT_EQ(lines[6], "Rise Local 12:21 Dec 8");
  EXPECT_EQ(lines[7], "Set  Local no set");
  const MoonRecord next = CalculateMoonRecord(december + 0.5L, 41.307L, -73.144L, eastern, HourValuesAt);
  EXPECT_EQ(DataPanelLines(next, 41.307L, -73.144L, eastern, kEnglish)[7], "Set  Local 00:11 Dec 9");
}

RiseSetRecord FailingSearch(double, long double, long double, long double) {
  throw std::domain_error("not a finite hour angle");
}

TEST(CalculateData, ARiseSetFailureLeavesZerosAndTheRestFilled) {
  const FixedOffsetZone utc(0);
  const long double x = EncodeDateTimeOrZero(2024, 6, 9, 18, 0, 0, 0);
  const MoonRecord r = CalculateMoonRecord(x, 41.307L, -73.144L, utc, HourValuesAt, FailingSearch);
  EXPECT_EQ(r.Rise, 0);
  EXPECT_EQ(r.Set, 0);
  EXPECT_EQ(r.HourNumber, 3858);
  EXPECT_NEAR(static_cast<double>(r.Phase), 11.80, 1e-9);
  EXPECT_NE(r.Altitude, 0);
}

}  // namespace

// Stepping hour by hour through three days with the window's cache gives the same
// records as searching afresh, with one search per UTC day and place.
TEST(CalculateData, TheRiseSetCacheSearchesEachDayOnce) {
  const EasternZone eastern;
  int searches = 0;
  RiseSetCache cache([&searches](double d, long double o, long double lat, long double west) {
    ++searches;
    return RiseSetForDay(d, o, lat, west);
  });
  const long double start = EncodeDateTimeOrZero(2024, 6, 9, 0, 0, 0, 0);
  for (int h = 0; h < 72; ++h) {
    const long double x = start + h / 24.0L;
    const MoonRecord cached = CalculateMoonRecord(x, 41.307L, -73.144L, eastern, HourValuesAt, std::ref(cache));
    const MoonRecord fresh = CalculateMoonRecord(x, 41.307L, -73.144L, eastern, HourValuesAt);
    EXPECT_TRUE(cached.Rise == fresh.Rise || (std::isnan(cached.Rise) && std::isnan(fresh.Rise))) << h;
    EXPECT_TRUE(cached.Set == fresh.Set || (std::isnan(cached.Set) && std::isnan(fresh.Set))) << h;
  }
  // The hours run from 8 June 20:00 to 11 June 19:00 local (UTC-4), local days that
  // overlap the UTC days 8 ... 12 June: five searches, not 72 pairs, and one of 10 June
  // from its local midnight, a day without a moonset whose first UTC day's set came
  // before it.
  EXPECT_EQ(searches, 6);
}

// Computed hours take the Moon's direction from the series' place of their TT instant;
// the angle stays within the reference values' 1e-4 degree of the one summed afresh,
// near the zenith too (the first place sees the Moon pass within 2 degrees of it). Where
// ΔT is longer than five minutes (2300) the series is summed afresh.
TEST(CalculateData, ComputedHoursKeepTheParallacticAngle) {
  const FixedOffsetZone utc(0);
  struct Case {
    int Year;
    long double Latitude, Longitude, Tolerance;
  };
  for (const Case c : {Case{2031, 20.0L, -100.0L, 1e-4L}, Case{2031, -33.9L, 151.2L, 1e-4L},
                       Case{2031, 69.65L, 18.96L, 1e-4L}, Case{2300, 41.307L, -73.144L, 0}}) {
    const long double start = EncodeDateTimeOrZero(c.Year, 3, 1, 0, 0, 0, 0);
    for (int h = 0; h < 24 * 28; h += 5) {
      const long double x = start + h / 24.0L;
      const MoonRecord r = CalculateMoonRecord(x, c.Latitude, c.Longitude, utc, HourValuesAt);
      ASSERT_FALSE(r.FromNasa);
      EXPECT_NEAR(r.ParallacticAngle, ParallacticAngleForObserver(c.Latitude, c.Longitude, static_cast<double>(x)),
                  c.Tolerance)
          << c.Year << " " << c.Latitude << " " << h;
    }
  }
}
