// NASA table and frame commands.
#include "astro/default_place.h"
#include "cli/cli_command.h"
#include "cli/cli_services.h"
#include "cli/nasa_line.h"
#include "astro/time_scales.h"
#include "nasa/frame_naming.h"
#include "nasa/nasa_urls.h"
#include "nasa/nasa_tables.h"

namespace {

// The twelve values of the hour's row with NASA's decimals.
int Nasa(const CliArgs& a, std::ostream& out) {
  const long double x = ParseInstant(a.At(0, "INSTANT"));
  if (!HasNasaTable(x))
    throw CliError("NASA has published no hourly table for " + std::to_string(YearOf(x)) +
                   " (orvanel-cli ephemeris computes the values)");
  PrintNasaLine(out, GetNASAData(x));
  return 0;
}

// The on-screen frame URL and the export frame URL of a view for the hour.
int Frame(const CliArgs& a, std::ostream& out) {
  const long double instant = ParseInstant(a.At(0, "INSTANT"));
  if (!HasNasaSeries(instant)) throw CliError("NASA publishes no frames for " + std::to_string(YearOf(instant)));
  const long double latitude = a.Number("lat", kDefaultLatitude);
  const int view = a.View();
  PrintLine(out, {NasaFrameUrl(CliSite(), kScreenFrameKey, instant, latitude)});
  PrintLine(out, {NasaFrameUrl(CliSite(), GetWidth(ViewKindOf(view)), instant, latitude)});
  return 0;
}

const CliRegistrar kNasa({"nasa", "nasa INSTANT", "", "", 1, 1, Nasa});
const CliRegistrar kFrame({"frame", "frame INSTANT [--lat DEG] [--view K]", "lat view", "", 1, 1, Frame});

}  // namespace
