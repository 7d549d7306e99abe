// The month almanac at a place and the year's calendar of phases and distances.
#include <QDateTime>
#include <cstdio>
#include <iostream>
#include <regex>

#include "astro/time_scales.h"
#include "cli/cli_command.h"
#include "core/almanac_csv.h"
#include "core/city_search.h"
#include "core/lunar_calendar_ics.h"
#include "core/month_almanac.h"
#include "core/system_time_zone.h"
#include "core/file_save.h"

namespace {

struct CliPlace {
  std::string Label;
  AlmanacPlace Place;
  QTimeZone Zone;
};

CliPlace NamedPlace(const std::string& name) {
  const std::vector<CityMatch> found = SearchCities(QString::fromStdString(name), 1);
  if (found.empty()) throw CliError("no place is called " + name + " (see orvanel-cli places)");
  const CityMatch& c = found.front();
  const std::optional<QTimeZone> zone = PlaceTimeZone(c.Zone);
  if (!zone) throw CliError("the time zone " + c.Zone.toStdString() + " is unknown to this computer");
  return {CityLabel(c).toStdString(), {c.Latitude, c.Longitude, 0}, *zone};
}

CliPlace GivenPlace(const CliArgs& a) {
  if (!a.Has("lat") || !a.Has("lon")) throw CliError("give --place NAME or --lat and --lon");
  const long double lat = a.Number("lat", 0), lon = a.PlaceLongitude(0);
  const std::string zoneName = a.Has("zone") ? a.Options.at("zone") : "";
  const std::optional<QTimeZone> zone = PlaceTimeZone(QString::fromStdString(zoneName));
  if (!zone) throw CliError("unknown time zone: " + zoneName);
  return {FormatNumber(lat) + ", " + FormatNumber(lon),
          {static_cast<double>(lat), static_cast<double>(lon), 0}, *zone};
}

CliPlace PlaceOf(const CliArgs& a) {
  if (a.Has("place") && (a.Has("lat") || a.Has("lon") || a.Has("zone")))
    throw CliError("give --place or --lat/--lon/--zone, not both");
  CliPlace p = a.Has("place") ? NamedPlace(a.Options.at("place")) : GivenPlace(a);
  p.Place.ElevationM = ParseInteger(a.Has("elev") ? a.Options.at("elev") : "0", "--elev");
  return p;
}

std::string OrNone(const std::string& field) { return field.empty() ? "-" : field; }

// Each column as wide as its longest entry, the name included, two spaces apart.
void PrintColumns(const std::vector<std::vector<std::string>>& rows, std::ostream& out) {
  std::vector<std::size_t> widths(rows.front().size(), 0);
  for (const auto& row : rows)
    for (std::size_t i = 0; i < row.size(); ++i) widths[i] = std::max(widths[i], OrNone(row[i]).size());
  for (const auto& row : rows) {
    std::string line;
    for (std::size_t i = 0; i < row.size(); ++i)
      line += OrNone(row[i]) + std::string(i + 1 < row.size() ? widths[i] - OrNone(row[i]).size() + 2 : 0, ' ');
    out << line << '\n';
  }
}

void PrintTable(const MonthAlmanac& almanac, const CliPlace& p, const TimeZoneRules& zone, std::ostream& out) {
  out << "Almanac " << almanac.Year << "-" << (almanac.Month < 10 ? "0" : "") << almanac.Month << " for "
      << p.Label << " (" << p.Zone.id().toStdString() << "), times local, '-' where the day has none\n";
  std::vector<std::vector<std::string>> rows{AlmanacColumnNames()};
  for (const AlmanacDay& d : almanac.Days) rows.push_back(AlmanacRowFields(d, zone));
  PrintColumns(rows, out);
  for (const LunarEvent& e : almanac.Events)
    out << LunarEventName(e.Kind) << '\t' << LocalDateTimeText(e.Instant, zone) << '\n';
}

// orvanel-cli almanac YYYY-MM (--place NAME | --lat L --lon L [--zone ZONE]) [--elev M] [--csv]
int Almanac(const CliArgs& a, std::ostream& out) {
  static const std::regex monthPattern(R"((\d{4})-(\d{2}))");
  std::smatch m;
  const std::string& text = a.At(0, "YYYY-MM");
  if (!std::regex_match(text, m, monthPattern)) throw CliError("not a month (YYYY-MM): " + text);
  const int year = std::stoi(m[1]), month = std::stoi(m[2]);
  if (year < 1600 || year > 3999 || month < 1 || month > 12)
    throw CliError("the almanac covers 1600-01 to 3999-12: " + text);
  const CliPlace p = PlaceOf(a);
  const SystemTimeZone zone(p.Zone);
  const MonthAlmanac almanac = ComputeMonthAlmanac(year, month, p.Place, zone);
  if (a.Flag("csv"))
    out << AlmanacCsv(almanac, zone);
  else
    PrintTable(almanac, p, zone, out);
  return 0;
}

// orvanel-cli calendar YEAR --ics FILE
int Calendar(const CliArgs& a, std::ostream& out) {
  const int year = ParseInteger(a.At(0, "YEAR"), "YEAR");
  if (year < 1600 || year > 3999) throw CliError("the calendar covers the years 1600 to 3999");
  if (!a.Has("ics")) throw CliError("give --ics FILE");
  const std::vector<LunarEvent> events = LunarEventsOfYear(year);
  const double now = DateTimeOf(QDateTime::currentDateTimeUtc());
  const QString path = QString::fromStdString(a.Options.at("ics"));
  if (const std::optional<QString> error = SaveFile(path, LunarCalendarIcs(events, now))) {
    std::cerr << "orvanel-cli calendar: cannot write " << path.toStdString() << ": " << error->toStdString() << '\n';
    return 1;
  }
  out << events.size() << " events written to " << path.toStdString() << '\n';
  return 0;
}

const CliRegistrar kAlmanac({"almanac", "almanac YYYY-MM (--place NAME | --lat L --lon L [--zone ZONE]) [--elev M] [--csv]",
                             "place lat lon zone elev", "csv", 1, 1, Almanac});
const CliRegistrar kCalendar({"calendar", "calendar YEAR --ics FILE", "ics", "", 1, 1, Calendar});

}  // namespace
