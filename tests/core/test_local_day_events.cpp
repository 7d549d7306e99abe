// The hour the window shows for an event of a local day stays on that day, in zones a
// whole number of hours off UTC and in Kathmandu's, 5 h 45 min ahead of it.
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

}  // namespace
