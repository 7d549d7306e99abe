// The engine's two independent lunar theories against each other: the truncated
// ELP 2000-85 series carried to the apparent place (ApparentMoon) and Meeus's
// chapter 47 series (MoonPosition). They differ by nutation (up to 17" in
// longitude), aberration (about 0.7"), the obliquity (true of date against the
// fixed J2000 value, about 20") and Meeus's truncation (about 10"), together well
// under 0.01 degree; 0.02 degree catches a wrong term, unit, sign or time argument
// in either series, which moves the Moon by far more.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "astro/lunar_series.h"
#include "astro/moon_position.h"
#include "astro/time_scales.h"

namespace {

TEST(LunarTheories, AgreeAtEveryHourOf2024And2025) {
  const int hours = 24 * (366 + 365);
  long double worstRa = 0, worstDec = 0;
  for (int i = 0; i < hours; ++i) {
    const double t = static_cast<double>(EncodeDate(2024, 1, 1) + i / 24.0L);
    const MoonPositionRecord elp = ApparentMoon(t);
    const MoonPositionRecord meeus = MoonPosition(t);
    const long double dRa = std::fabs(std::remainder(elp.RightAscension - meeus.RightAscension, 360.0L));
    const long double dDec = std::fabs(elp.Declination - meeus.Declination);
    worstRa = std::max(worstRa, dRa);
    worstDec = std::max(worstDec, dDec);
    ASSERT_LT(dRa, 0.02L) << "hour " << i;
    ASSERT_LT(dDec, 0.02L) << "hour " << i;
  }
  RecordProperty("WorstRightAscensionDifferenceDeg", std::to_string(static_cast<double>(worstRa)));
  RecordProperty("WorstDeclinationDifferenceDeg", std::to_string(static_cast<double>(worstDec)));
}

}  // namespace
