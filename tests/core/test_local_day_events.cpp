// The events of a local day, which spans two UTC days, and the hour the window shows
// for one: it stays on that day, in zones a whole number of hours off UTC and in
// Kathmandu's, 5 h 45 min ahead of it.
#include <gtest/gtest.h>

#include <QTimeZone>

#include "core/local_day_events.h"
#include "core/system_time_zone.h"

namespace {

long double At(int y, int mo, int d, int h, int mi = 0) { return EncodeDateTimeOrZero(y, mo, d, h, mi, 0, 0); }

TEST(NearestHourOfLocalDay, IsTheNearestWholeHourOnTheEventsOwnDay) {
  struct Case {
    const char* Zone;
    long double Event, Hour;  // UTC
  } cases[] = {
      {"America/New_York", At(2027, 6, 1, 14, 20), At(2027, 6, 1, 14)},  // 10:20 local: the nearest
      {"America/New_York", At(2027, 6, 1, 14, 40), At(2027, 6, 1, 15)},
      {"America/New_York", At(2027, 6, 2, 3, 40), At(2027, 6, 2, 3)},    // 23:40: not the next day's 00:00
      {"Asia/Kathmandu", At(2027, 6, 1, 18, 20), At(2027, 6, 1, 19)},    // 00:05: not the day before's 23:45
      {"Asia/Kathmandu", At(2027, 6, 1, 18, 10), At(2027, 6, 1, 18)},    // 23:55: 23:45 that day
  };
  for (const Case& c : cases) {
    const SystemTimeZone zone{QTimeZone(c.Zone)};
    EXPECT_EQ(NearestHourOfLocalDay(static_cast<double>(c.Event), zone), c.Hour) << c.Zone << " " << c.Event;
  }
}

// Far north the Moon can rise (set) again within 24 hours, and a local day then holds
// two: the day's is the first, as it is for the Sun. Here a day two hours ahead of UTC,
// whose first UTC day's events come late and whose second's come early.
TEST(EventsOfLocalDay, TakesTheFirstRiseAndSetOfTheDay) {
  const double utcDay = 46562;
  const LocalDaySpan day{utcDay - 2.0 / 24, utcDay + 22.0 / 24};
  const auto search = [&](double d, long double, long double, long double) {
    return d < utcDay ? RiseSetRecord{d + 23.0 / 24, d + 22.5 / 24} : RiseSetRecord{d + 21.0 / 24, d + 20.0 / 24};
  };
  const LocalDayEvents e = EventsOfLocalDay(day, 69.6, 19.0, search);
  EXPECT_EQ(e.Rise, utcDay - 1.0 / 24);
  EXPECT_EQ(e.Set, utcDay - 1.5 / 24);
}

}  // namespace
