// The panel's lines about the total lunar eclipse of 2025-03-14 (NASA: P1 03:57,
// U1 05:09, U2 06:26, greatest 06:58, U3 07:31, U4 08:47, P4 10:00 UT; the whole
// eclipse seen from the Americas, none of it from India, where it is day).
#include <gtest/gtest.h>

#include "astro/time_scales.h"
#include "core/eclipse_circumstances.h"
#include "support/fixed_zone.h"

namespace {

long double March14(int h, int mi) { return EncodeDateTimeOrZero(2025, 3, 14, h, mi, 0, 0); }

const QLocale kC(QLocale::C);
const FixedOffsetZone kNewYorkZone(-4 * 60);  // daylight time from 9 March
constexpr long double kNewYorkLat = 40.71, kNewYorkLon = -74.01;

}  // namespace

TEST(EclipseCircumstances, PanelNamesTheEclipseAndGivesEachContactForThePlace) {
  const QStringList lines = EclipsePanelLines(March14(7, 0), kNewYorkLat, kNewYorkLon, kNewYorkZone, kC);
  ASSERT_EQ(lines.size(), 9);
  EXPECT_EQ(lines[0], "Total lunar eclipse: umbral magnitude 1.179, greatest 06:58 UTC");
  EXPECT_EQ(lines[1], "Now: totality");
  EXPECT_TRUE(lines[2].startsWith("P1  03:57 UTC  23:57 local  Moon ")) << lines[2].toStdString();
  EXPECT_TRUE(lines[5].startsWith("Greatest  06:58 UTC  02:58 local  Moon ")) << lines[5].toStdString();
  // The Moon sets in New York at about 07:05 EDT, an hour after P4: low in the west.
  EXPECT_TRUE(lines[8].startsWith("P4  10:00 UTC  06:00 local  Moon ")) << lines[8].toStdString();
  EXPECT_TRUE(lines[8].endsWith(" up")) << lines[8].toStdString();
}

TEST(EclipseCircumstances, PanelGivesThePhaseOfTheHour) {
  const struct {
    int Hour, Minute;
    const char* Phase;  // "": no eclipse lines
  } cases[] = {{3, 50, ""},     {4, 30, "Now: penumbral phase"}, {5, 30, "Now: partial phase"}, {7, 0, "Now: totality"},
               {8, 0, "Now: partial phase"}, {9, 30, "Now: penumbral phase"}, {10, 10, ""}};
  for (const auto& c : cases) {
    const QStringList lines = EclipsePanelLines(March14(c.Hour, c.Minute), kNewYorkLat, kNewYorkLon, kNewYorkZone, kC);
    EXPECT_EQ(lines.value(1), QString::fromLatin1(c.Phase)) << c.Hour;
    EXPECT_EQ(lines.isEmpty(), *c.Phase == 0) << c.Hour;
  }
}

TEST(EclipseCircumstances, SaysWhereTheMoonIsBelowTheHorizon) {
  const std::optional<LunarEclipse> e = LunarEclipseAt(static_cast<double>(March14(7, 0)));
  ASSERT_TRUE(e.has_value());
  for (const EclipseContact& c : ContactsSeenFrom(*e, kNewYorkLat, kNewYorkLon, kNewYorkZone))
    EXPECT_GT(c.AltitudeDeg, 0) << c.Name.toStdString();
  const FixedOffsetZone india(330);
  const std::vector<EclipseContact> delhi = ContactsSeenFrom(*e, 28.61, 77.21, india);
  ASSERT_EQ(delhi.size(), 7u);
  EXPECT_EQ(ContactLine(delhi[0], kC), "P1  03:57 UTC  09:27 local  Moon below horizon");
}

TEST(EclipseCircumstances, SeenWhereTheMoonIsUpAtSomeInstantOfTheEclipse) {
  const struct {
    long double Instant, Latitude, Longitude;
    bool Seen;
  } cases[] = {
      {March14(7, 0), kNewYorkLat, kNewYorkLon, true},
      {March14(7, 0), 28.61, 77.21, false},  // Delhi, by day
      // The penumbral eclipse of 2020-07-05 (P1 03:07, greatest 04:30, P4 05:52 UT) off
      // south-west Greenland: the Moon skims the southern horizon, up from about 03:08
      // to 04:29 and 0.3 degree high at 03:48, though below it at P1, greatest and P4.
      {EncodeDateTimeOrZero(2020, 7, 5, 4, 30, 0, 0), 64.68, -56.24, true},
      {EncodeDateTimeOrZero(2020, 7, 5, 4, 30, 0, 0), 65.2, -56.24, false},  // there it stays down
  };
  for (const auto& c : cases) {
    const std::optional<LunarEclipse> e = LunarEclipseAt(static_cast<double>(c.Instant));
    ASSERT_TRUE(e.has_value());
    EXPECT_EQ(SeenFrom(*e, c.Latitude, c.Longitude), c.Seen) << c.Latitude;
  }
}
