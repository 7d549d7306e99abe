// The Moon's appearance from a place: the sub-observer point, the axis angle, the
// apparent diameter, the phase and the bright limb's position angle, for the hour's
// values (NASA's row where the year has one, else the program's ephemeris).
#include <cstdio>

#include "cli/cli_command.h"
#include "cli/place_options.h"
#include "core/covered_range.h"
#include "nasa/hour_values.h"

namespace {

std::string Fixed(long double v, int decimals) {
  char buf[48];
  std::snprintf(buf, sizeof buf, "%.*Lf", decimals, v);
  return buf;
}

// orvanel-cli topocentric INSTANT --lat DEG --lon DEG [--elev M]
// prints "Elon Elat AxisA Diam Phase BrightLimb" (degrees, arcseconds, percent).
int Topocentric(const CliArgs& a, std::ostream& out) {
  const long double x = ParseInstant(a.At(0, "INSTANT"));
  if (!InCoveredRange(x)) throw CliError("values exist for 1600-01-01 to 3999-12-31 only");
  const ObserverPlace place = RequiredPlaceOptions(a);
  const TopocentricMoonValues t = TopocentricMoon(HourValuesAt(x).Values, x, place);
  PrintLine(out, {Fixed(t.Elon, 4), Fixed(t.Elat, 4), Fixed(t.AxisA, 4), Fixed(t.Diam, 2), Fixed(t.Phase, 4),
                  Fixed(t.BrightLimb, 4)});
  return 0;
}

const CliRegistrar kTopocentric({"topocentric", "topocentric INSTANT --lat DEG --lon DEG [--elev M]",
                                 "lat lon elev", "", 1, 1, Topocentric});

}  // namespace
