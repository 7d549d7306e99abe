// Finding places by name: one line per city, "name, province, country<TAB>lat<TAB>lon<TAB>zone".
#include <cstdio>
#include <limits>

#include "cli/cli_command.h"
#include "core/city_search.h"

namespace {

std::string Degrees(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.5f", value);
  return text;
}

int Places(const CliArgs& a, std::ostream& out) {
  for (const CityMatch& c : SearchCities(QString::fromStdString(a.At(0, "QUERY")), std::numeric_limits<std::size_t>::max()))
    out << CityLabel(c).toStdString() << '\t' << Degrees(c.Latitude) << '\t' << Degrees(c.Longitude) << '\t'
        << c.Zone.toStdString() << '\n';
  return 0;
}

const CliRegistrar kPlaces({"places", "places QUERY", "", "", 1, 1, Places});

}  // namespace
