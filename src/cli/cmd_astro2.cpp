// Lunar series, apparent place, moonrise and moonset, parallactic angle and the
// search for the year's altitude extremes.
#include <cmath>
#include <iostream>
#include <stdexcept>
#include <string>

#include "astro/altitude_extremes.h"
#include "astro/lunar_series.h"
#include "astro/parallactic_angle.h"
#include "astro/rise_set.h"
#include "astro/time_scales.h"
#include "cli/cli_command.h"

namespace {

long double Required(const CliArgs& a, const std::string& option) {
  if (!a.Has(option)) throw CliError("missing --" + option);
  return a.Number(option, 0);
}

// A required numeric option within [-limit, limit].
long double Bounded(const CliArgs& a, const std::string& option, long double limit) {
  const long double v = Required(a, option);
  if (std::fabs(v) > limit)
    throw CliError("--" + option + " must lie between -" + FormatNumber(limit) + " and " +
                   FormatNumber(limit) + ": " + a.Options.at(option));
  return v;
}

double Instant(const CliArgs& a) { return static_cast<double>(ParseInstant(a.At(0, "INSTANT"))); }

int Series(const CliArgs& a, std::ostream& out) {
  const LunarSeriesPosition p = LunarSeries(Instant(a));
  PrintLine(out, {FormatNumber(p.Longitude), FormatNumber(p.Latitude), FormatNumber(p.Distance)});
  return 0;
}

int Apparent(const CliArgs& a, std::ostream& out) {
  const MoonRaDec m = MoonRaDecParallax(Instant(a));
  PrintLine(out, {FormatNumber(m.RightAscension), FormatNumber(m.Declination),
                  FormatNumber(m.HorizontalParallax)});
  return 0;
}

// Latitude, longitude and offset arrive within their ranges; a day whose computation
// still breaks down (a value that is not finite) is reported with status 1. The
// times are local to the offset, printed with it; an event the day lacks is "none".
int RiseSet(const CliArgs& a, std::ostream& out) {
  const double D = Instant(a);
  const long double latitude = Required(a, "lat");
  const long double westLongitude = Required(a, "westlon");
  const long double offset = a.Number("offset", 0);
  try {
    const RiseSetRecord r = RiseSetForDay(D, offset, latitude, westLongitude);
    // RiseSetForDay gives the instant asked for back for an event the day lacks.
    const auto event = [&](double at) { return at == D ? std::string("none") : FormatLocalInstant(at, offset); };
    PrintLine(out, {event(r.Rise), event(r.Set)});
    return 0;
  } catch (const std::domain_error& e) {
    // The window shows this failure as zero times; here it is said plainly.
    std::cerr << "orvanel-cli riseset: no moonrise and moonset computed: " << e.what() << '\n';
    return 1;
  }
}

int Parallactic(const CliArgs& a, std::ostream& out) {
  const double x = Instant(a);
  const long double latitude = Bounded(a, "lat", 90);
  const long double longitude = Bounded(a, "lon", 360);
  PrintLine(out, {FormatNumber(ParallacticAngleForObserver(latitude, longitude, x))});
  return 0;
}

int Extremes(const CliArgs& a, std::ostream& out) {
  const int year = ParseInteger(a.At(0, "YEAR"), "YEAR");
  const AltitudeExtremes e = FindAltitudeExtremes(EncodeDate(year, 1, 1));
  PrintLine(out, {FormatInstant(e.MaxInstant), FormatNumber(e.MaxAltitude)});
  PrintLine(out, {FormatInstant(e.MinInstant), FormatNumber(e.MinAltitude)});
  return 0;
}

const CliRegistrar kSeries({"series", "series INSTANT", "", "", 1, 1, Series});
const CliRegistrar kApparent({"apparent", "apparent INSTANT", "", "", 1, 1, Apparent});
const CliRegistrar kRiseSet({"riseset", "riseset INSTANT --lat DEG --westlon DEG [--offset HOURS]",
                             "lat westlon offset", "", 1, 1, RiseSet});
const CliRegistrar kParallactic({"parallactic", "parallactic INSTANT --lat DEG --lon DEG", "lat lon",
                                 "", 1, 1, Parallactic});
const CliRegistrar kExtremes({"extremes", "extremes YEAR", "", "", 1, 1, Extremes});

}  // namespace
