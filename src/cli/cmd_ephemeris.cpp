// The Moon's eleven hourly values computed by the program's own ephemeris, in the
// layout of the nasa command, for any instant of 1600 ... 3999.
#include "astro/moon_ephemeris.h"
#include "cli/cli_command.h"
#include "cli/nasa_line.h"

namespace {

int Ephemeris(const CliArgs& a, std::ostream& out) {
  const long double x = ParseInstant(a.At(0, "INSTANT"));
  if (!(x >= kEphemerisFirstDay && x < kEphemerisEndDay))
    throw CliError("the ephemeris covers 1600-01-01 to 3999-12-31 only: " + a.At(0, "INSTANT"));
  const MoonHourValues v = ComputeMoonHourValues(x);
  PrintNasaLine(out, {x, v.Phase, v.Age, v.Diam, v.Dist, v.RA, v.Dec, v.Slon, v.Slat, v.Elon, v.Elat, v.AxisA});
  return 0;
}

const CliRegistrar kEphemeris({"ephemeris", "ephemeris INSTANT", "", "", 1, 1, Ephemeris});

}  // namespace
