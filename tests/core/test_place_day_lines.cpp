// The place's own day from a computer in another zone: Tokyo set on a New York
// computer has its rise, set, sunrise and sunset in Tokyo's day and time; and the
// panel's sunrise, sunset and rise and set azimuths agree with the month almanac
// (itself checked against an independent ephemeris).
#include <gtest/gtest.h>

#include <QTimeZone>
#include <cstdlib>
#include <ctime>

#include "core/almanac_csv.h"
#include "core/calculate_data.h"
#include "core/month_almanac.h"
#include "core/place_day_lines.h"
#include "core/system_time_zone.h"
#include "nasa/hour_values.h"

namespace {

const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);

TEST(PlaceDayLines, TokyoFromANewYorkComputerIsInTokyosDayAndTime) {
  setenv("TZ", "America/New_York", 1);
  tzset();
  const SystemTimeZone tokyo(QTimeZone("Asia/Tokyo"));
  // 2027-03-10 01:00 UTC: 10:00 on 10 March in Tokyo, still 9 March in New York.
  const long double x = EncodeDateTimeOrZero(2027, 3, 10, 1, 0, 0, 0);
  const MoonRecord r = CalculateMoonRecord(x, 35.68502, 139.75141, tokyo, HourValuesAt);
  const long double dayStart = EncodeDateTimeOrZero(2027, 3, 9, 15, 0, 0, 0);  // Tokyo's midnight
  for (const long double event : {r.Rise, r.Set}) {
    EXPECT_GE(event, dayStart);
    EXPECT_LT(event, dayStart + 1);
  }
  const MonthAlmanac almanac = ComputeMonthAlmanac(2027, 3, {35.68502, 139.75141, 0}, tokyo);
  const AlmanacDay& day = almanac.Days.at(9);
  ASSERT_EQ(day.Day, 10);
  const auto hourMinute = [&](double t) { return QString::fromStdString(LocalTimeText(t, tokyo).substr(0, 5)); };
  const QStringList lines = PlaceDayLines(r, tokyo, kEnglish);
  ASSERT_EQ(lines.size(), 4);
  EXPECT_EQ(lines[0], "Sunrise Local " + hourMinute(*day.Sunrise) + " Mar 10");
  EXPECT_EQ(lines[1], "Sunset  Local " + hourMinute(*day.Sunset) + " Mar 10");
  ASSERT_TRUE(day.Moonrise && day.Moonset);
  EXPECT_NEAR(static_cast<double>(r.Rise), day.Moonrise->Instant, 1.0 / 86400);
  EXPECT_TRUE(lines[2].startsWith("Rise Azimuth " + QString::number(day.Moonrise->Degrees, 'f', 2))) << lines[2].toStdString();
  EXPECT_TRUE(lines[3].startsWith("Set  Azimuth " + QString::number(day.Moonset->Degrees, 'f', 2))) << lines[3].toStdString();
  unsetenv("TZ");
  tzset();
}

// Tromsø in the polar night: the Sun does not rise, and the panel says so.
TEST(PlaceDayLines, APolarNightHasNoSunriseOrSunset) {
  const SystemTimeZone oslo(QTimeZone("Europe/Oslo"));
  const MoonRecord r =
      CalculateMoonRecord(EncodeDateTimeOrZero(2027, 1, 3, 12, 0, 0, 0), 69.63508, 18.99203, oslo, HourValuesAt);
  const QStringList lines = PlaceDayLines(r, oslo, kEnglish);
  EXPECT_EQ(lines[0], "Sunrise Local no sunrise");
  EXPECT_EQ(lines[1], "Sunset  Local no sunset");
}

}  // namespace
