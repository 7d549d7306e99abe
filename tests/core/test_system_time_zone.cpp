// A place's zone as the program reads it through QTimeZone: the offset at the instant,
// including zones that changed their standard offset, and the zone's label.
#include <gtest/gtest.h>

#include <QTimeZone>

#include "astro/time_scales.h"
#include "core/system_time_zone.h"

namespace {

double At(int y, int mo, int d, int h = 0, int mi = 0) {
  return static_cast<double>(EncodeDateTimeOrZero(y, mo, d, h, mi, 0, 0));
}

// Offsets from the IANA database (tzdata's own history of each zone).
TEST(SystemTimeZone, TheOffsetIsTheZonesAtTheInstant) {
  struct Case {
    const char* Zone;
    double Utc;
    double Hours;
  } cases[] = {
      {"Australia/Lord_Howe", At(1981, 6, 1, 12), 10.5},  // UTC+10:30 from March 1981
      {"Pacific/Kiritimati", At(1994, 12, 31, 12), 14},   // moved from -10 across the date line
      {"Pacific/Kiritimati", At(1994, 12, 30, 12), -10},
      {"America/New_York", At(2024, 3, 10, 6, 59), -5},
      {"America/New_York", At(2024, 3, 10, 7, 0), -4},  // daylight time from 07:00 UTC
      {"Asia/Kathmandu", At(2027, 3, 1), 5.75},
  };
  for (const Case& c : cases) {
    const SystemTimeZone zone{QTimeZone(c.Zone)};
    EXPECT_EQ(static_cast<double>(UtcOffsetHours(c.Utc, zone)), c.Hours) << c.Zone << " " << c.Utc;
  }
}

// A local midnight maps to the instant its day begins. Where the clocks skip midnight
// (Havana springs from 00:00 to 01:00; Samoa skipped 30 December 2011 when it crossed
// the date line), the day begins at the change itself; where they show it twice
// (Havana and Amman fall back from 01:00 to 00:00), at the first.
TEST(SystemTimeZone, LocalMidnightAcrossAChangeMapsToTheRightInstant) {
  struct Case {
    const char* Zone;
    double LocalMidnight;
    double Utc;
  } cases[] = {
      {"America/New_York", At(2024, 3, 11), At(2024, 3, 11, 4)},  // the day after the spring change
      {"America/New_York", At(2024, 3, 10), At(2024, 3, 10, 5)},  // the day of it
      {"America/Havana", At(2024, 3, 10), At(2024, 3, 10, 5)},     // 00:00 skipped: 01:00 CDT
      {"America/Havana", At(2024, 11, 3), At(2024, 11, 3, 4)},     // 00:00 shown twice: the first
      {"Asia/Amman", At(2019, 10, 25), At(2019, 10, 24, 21)},       // the same east of UTC
      {"Asia/Amman", At(2019, 3, 29), At(2019, 3, 28, 22)},         // 00:00 skipped: 01:00 EEST
      {"Pacific/Apia", At(2011, 12, 30), At(2011, 12, 30, 10)},    // a skipped day
      {"Pacific/Apia", At(2011, 12, 31), At(2011, 12, 30, 10)},    // ...starts where the next does
      {"Pacific/Apia", At(2011, 12, 29), At(2011, 12, 29, 10)},
  };
  for (const Case& c : cases) {
    const SystemTimeZone zone{QTimeZone(c.Zone)};
    EXPECT_NEAR(LocalToUtc(c.LocalMidnight, zone), c.Utc, 1e-9) << c.Zone << " " << c.LocalMidnight;
  }
}

TEST(SystemTimeZone, AnInvalidZoneCannotTellItsOffset) {
  const SystemTimeZone zone{QTimeZone()};
  EXPECT_FALSE(zone.OffsetSecondsAt(45500.5).has_value());
  EXPECT_EQ(UtcToLocal(45500.5, zone), 45500.5);
}

TEST(SystemTimeZone, PlaceZonesByNameAndTheirLabels) {
  EXPECT_FALSE(PlaceTimeZone("Not/A_Zone").has_value());
  EXPECT_EQ(PlaceTimeZone("").value(), QTimeZone::systemTimeZone());
  const SystemTimeZone tokyo(PlaceTimeZone("Asia/Tokyo").value());
  EXPECT_EQ(LocalZoneLabel(tokyo, At(2027, 3, 1)), "Local (Asia/Tokyo, UTC+09:00)");
  const SystemTimeZone stJohns(PlaceTimeZone("America/St_Johns").value());
  EXPECT_EQ(LocalZoneLabel(stJohns, At(2027, 1, 1)), "Local (America/St_Johns, UTC-03:30)");
  // Offsets with seconds go to the nearest minute, as in the altitude chart.
  EXPECT_EQ(LocalZoneLabel("Europe/Amsterdam", 1172), "Local (Europe/Amsterdam, UTC+00:20)");
  EXPECT_EQ(LocalZoneLabel("Africa/Monrovia", -2670), "Local (Africa/Monrovia, UTC-00:45)");  // -00:44:30
  EXPECT_EQ(LocalZoneLabel("", -20), "Local (UTC+00:00)");
}

}  // namespace
