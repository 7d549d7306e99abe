// The system zone's rules as the program reads them through QTimeZone: the offset the
// rules give must be the offset QTimeZone itself gives, at every hour of both years.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QTimeZone>

#include "core/system_time_zone.h"
#include "astro/time_scales.h"

namespace {

// Offset in hours that QTimeZone gives at the UTC instant x (a date-time).
double QtOffsetHours(const QTimeZone& zone, long double x) {
  const qint64 ms = static_cast<qint64>((x - 25569.0L) * 86400000.0L);  // 25569: 1970-01-01
  return zone.offsetFromUtc(QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC)) / 3600.0;
}

TEST(SystemTimeZone, DescribesNewYorkAsWindowsWould) {
  const SystemTimeZone zone(QTimeZone("America/New_York"));
  TimeZoneInformation info;
  ASSERT_TRUE(zone.Query(2024, info));
  EXPECT_EQ(info.Bias, 300);
  EXPECT_EQ(info.StandardBias, 0);
  EXPECT_EQ(info.DaylightBias, -60);
  EXPECT_EQ(info.DaylightDate.Month, 3);  // second Sunday of March, 02:00 standard time
  EXPECT_EQ(info.DaylightDate.Occurrence, 2);
  EXPECT_EQ(info.DaylightDate.Hour, 2);
  EXPECT_EQ(info.StandardDate.Month, 11);  // first Sunday of November, 02:00 daylight time
  EXPECT_EQ(info.StandardDate.Occurrence, 1);
  EXPECT_EQ(info.StandardDate.Hour, 2);
}

TEST(SystemTimeZone, ADaylightPeriodAcrossTheNewYearIsDescribedToo) {
  const SystemTimeZone zone(QTimeZone("Australia/Sydney"));
  TimeZoneInformation info;
  ASSERT_TRUE(zone.Query(2025, info));
  EXPECT_EQ(info.Bias, -600);
  EXPECT_EQ(info.DaylightBias, -60);
  EXPECT_EQ(info.DaylightDate.Month, 10);
  EXPECT_EQ(info.StandardDate.Month, 4);
}

TEST(SystemTimeZone, OffsetsFromTheRulesMatchQtAtEveryHour) {
  // Zones with daylight time north and south, half-hour zones and zones without any.
  for (const char* id : {"America/New_York", "Europe/Berlin", "Australia/Sydney", "Asia/Kolkata",
                         "America/St_Johns", "Asia/Tokyo", "UTC"}) {
    const QTimeZone qt(id);
    ASSERT_TRUE(qt.isValid()) << id;
    const SystemTimeZone zone(qt);
    for (long double x = 45292.0L; x < 46023.0L; x += 1.0L / 24) {
      ASSERT_DOUBLE_EQ(static_cast<double>(UtcOffsetHours(static_cast<double>(x), zone)), QtOffsetHours(qt, x))
          << id << " at " << static_cast<double>(x);
    }
  }
}

// The instant of a change already has the new offset; the second before it the old.
TEST(SystemTimeZone, TheInstantOfAChangeHasTheNewOffset) {
  const struct {
    const char* Zone;
    int Year, Month, Day, Hour;  // the change, UTC
    double Before, After;        // offsets, hours
  } changes[] = {
      {"Europe/Berlin", 2024, 3, 31, 1, 1, 2},     {"Europe/Berlin", 2024, 10, 27, 1, 2, 1},
      {"America/New_York", 2025, 3, 9, 7, -5, -4}, {"America/New_York", 2025, 11, 2, 6, -4, -5},
      {"Australia/Sydney", 2024, 4, 6, 16, 11, 10}, {"Australia/Sydney", 2024, 10, 5, 16, 10, 11},
  };
  for (const auto& c : changes) {
    const SystemTimeZone zone{QTimeZone(c.Zone)};
    const double at = EncodeDateTimeOrZero(c.Year, c.Month, c.Day, c.Hour, 0, 0, 0);
    EXPECT_EQ(static_cast<double>(UtcOffsetHours(at, zone)), c.After) << c.Zone << " " << c.Month;
    EXPECT_EQ(static_cast<double>(UtcOffsetHours(at - 1.0 / 86400, zone)), c.Before) << c.Zone << " " << c.Month;
  }
}

TEST(SystemTimeZone, AnInvalidZoneFailsItsQueryAndGivesOffsetZero) {
  const SystemTimeZone zone{QTimeZone()};
  TimeZoneInformation info;
  EXPECT_FALSE(zone.Query(2024, info));
  EXPECT_EQ(UtcOffsetHours(45500.5, zone), 0);
  EXPECT_EQ(LocalToUtc(45500.5, zone), 45500.5);
  EXPECT_EQ(UtcToLocal(45500.5, zone), 45500.5);
}

}  // namespace
