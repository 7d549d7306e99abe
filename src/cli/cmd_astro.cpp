// Astronomy engine commands: nutation, sidereal times, the Moon's place and
// altitude, lunar phases and the full-moon search.
#include "astro/coordinates.h"
#include "astro/lunar_phases.h"
#include "astro/moon_position.h"
#include "cli/cli_command.h"

namespace {

double InstantArg(const CliArgs& a, std::size_t i) {
  return static_cast<double>(ParseInstant(a.At(i, "INSTANT")));
}

// A required numeric option within [low, high].
long double RangeOption(const CliArgs& a, const std::string& name, long double low,
                        long double high) {
  if (!a.Has(name)) throw CliError("missing --" + name);
  const long double v = a.Number(name, 0);
  if (v < low || v > high)
    throw CliError("--" + name + " must lie in " + FormatNumber(low) + " ... " +
                   FormatNumber(high) + ": " + a.Options.at(name));
  return v;
}

int NutationCmd(const CliArgs& a, std::ostream& out) {
  const double x = InstantArg(a, 0);
  const std::string& model = a.At(1, "MODEL");
  Nutation n;
  if (model == "1980") {
    n = NutationIau1980(x);
  } else if (model == "2000a" || model == "2000A") {
    n = NutationIau2000A(x);
  } else {
    throw CliError("MODEL must be 1980 or 2000a: " + model);
  }
  PrintLine(out, {FormatNumber(n.DeltaPsi), FormatNumber(n.DeltaEpsilon)});
  return 0;
}

// An angle of the Earth's turn as 0 <= degrees < 360.
std::string TurnAngle(long double degrees) {
  const long double v = Normalize360(degrees);
  return FormatNumber(v < 360 ? v : 0);
}

int SiderealCmd(const CliArgs& a, std::ostream& out) {
  const double x = InstantArg(a, 0);
  PrintLine(out, {TurnAngle(EarthRotationAngle(x)), TurnAngle(GreenwichMeanSiderealTime(x)),
                  TurnAngle(GreenwichApparentSiderealTime(false, x)),
                  TurnAngle(GreenwichApparentSiderealTime(true, x))});
  return 0;
}

int PositionCmd(const CliArgs& a, std::ostream& out) {
  const MoonPositionRecord m = MoonPosition(InstantArg(a, 0));
  PrintLine(out, {FormatNumber(m.RightAscension), FormatNumber(m.Declination),
                  FormatNumber(m.HorizontalParallax), FormatNumber(m.SemiDiameter),
                  FormatNumber(m.Distance), FormatNumber(m.EclipticLongitude),
                  FormatNumber(m.EclipticLatitude)});
  return 0;
}

int AltAzCmd(const CliArgs& a, std::ostream& out) {
  const double x = InstantArg(a, 0);
  const long double lat = RangeOption(a, "lat", -90, 90);
  const long double lon = RangeOption(a, "lon", -180, 180);
  const MoonPositionRecord m = MoonPosition(x);
  const HorizontalPosition h =
      TopocentricAltAz(x, m.RightAscension, m.Declination, m.HorizontalParallax, lat, lon, 0);
  PrintLine(out, {FormatNumber(h.Altitude), FormatNumber(h.Azimuth)});
  return 0;
}

int PhasesCmd(const CliArgs& a, std::ostream& out) {
  const PhaseRecord p = LunationPhases(ParseInteger(a.At(0, "K"), "K"));
  PrintLine(out, {FormatNumber(p.NewMoon), FormatNumber(p.FirstQuarter), FormatNumber(p.FullMoon),
                  FormatNumber(p.LastQuarter)});
  return 0;
}

int FullMoonCmd(const CliArgs& a, std::ostream& out) {
  const std::string& direction = a.At(0, "next|prev");
  if (direction != "next" && direction != "prev")
    throw CliError("the first argument must be next or prev: " + direction);
  const double found = FindFullMoon(direction == "next", InstantArg(a, 1));
  if (found == 0) throw CliError("the full-moon search covers the years 1600 to 3999 only");
  PrintLine(out, {FormatInstant(found)});
  return 0;
}

const CliRegistrar kNutation({"nutation", "nutation INSTANT 1980|2000a", "", "", 2, 2, NutationCmd});
const CliRegistrar kSidereal({"sidereal", "sidereal INSTANT", "", "", 1, 1, SiderealCmd});
const CliRegistrar kPosition({"position", "position INSTANT", "", "", 1, 1, PositionCmd});
const CliRegistrar kAltAz({"altaz", "altaz INSTANT --lat DEG --lon DEG", "lat lon", "", 1, 1,
                           AltAzCmd});
const CliRegistrar kPhases({"phases", "phases K", "", "", 1, 1, PhasesCmd});
const CliRegistrar kFullMoon({"fullmoon", "fullmoon next|prev INSTANT", "", "", 2, 2,
                              FullMoonCmd});

}  // namespace
