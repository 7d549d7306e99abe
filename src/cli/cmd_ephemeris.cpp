// The Moon's eleven hourly values computed by the program's own ephemeris, in the
// layout of the nasa command, for any instant of 1600 ... 3999; and a whole year of
// them in the layout of NASA's yearly tables.
#include <iostream>

#include "astro/moon_ephemeris.h"
#include "cli/cli_command.h"
#include "cli/nasa_line.h"
#include "core/file_save.h"
#include "nasa/computed_year_table.h"

namespace {

int Ephemeris(const CliArgs& a, std::ostream& out) {
  const long double x = ParseInstant(a.At(0, "INSTANT"));
  if (!(x >= kEphemerisFirstDay && x < kEphemerisEndDay))
    throw CliError("the ephemeris covers 1600-01-01 to 3999-12-31 only: " + a.At(0, "INSTANT"));
  const MoonHourValues v = ComputeMoonHourValues(x);
  PrintNasaLine(out, {x, v.Phase, v.Age, v.Diam, v.Dist, v.RA, v.Dec, v.Slon, v.Slat, v.Elon, v.Elat, v.AxisA});
  return 0;
}

int Table(const CliArgs& a, std::ostream& out) {
  const int year = ParseInteger(a.At(0, "YEAR"), "YEAR");
  if (year < 1600 || year > 3999) throw CliError("YEAR must lie between 1600 and 3999: " + a.Positional[0]);
  const std::vector<std::string> lines = ComputedYearTable(year);
  if (!a.Has("out")) {
    for (const std::string& line : lines) out << line << '\n';
    return out ? 0 : 1;
  }
  std::string text;
  for (const std::string& line : lines) text += line + '\n';
  const std::string path = a.Options.at("out");
  if (const std::optional<QString> error = SaveFile(QString::fromStdString(path), text)) {
    std::cerr << "orvanel-cli table: cannot write " << path << ": " << error->toStdString() << '\n';
    return 1;
  }
  return 0;
}

const CliRegistrar kEphemeris({"ephemeris", "ephemeris INSTANT", "", "", 1, 1, Ephemeris});
const CliRegistrar kTable({"table", "table YEAR [--out FILE]", "out", "", 1, 1, Table});

}  // namespace
