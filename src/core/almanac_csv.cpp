#include "core/almanac_csv.h"

#include <cmath>
#include <cstdio>

namespace {

std::string Formatted(const char* format, int a, int b, int c) {
  char text[16];
  std::snprintf(text, sizeof text, format, a, b, c);
  return text;
}

// The local date-time rounded to the second.
CivilDateTime LocalCivil(double instant, const TimeZoneRules& zone) {
  const long double local = UtcToLocal(instant, zone);
  return DecodeDateTime(std::round(local * 86400.0L) / 86400.0L);
}

std::string TimeField(const std::optional<double>& t, const TimeZoneRules& zone) {
  return t ? LocalTimeText(*t, zone) : std::string();
}

std::string TimeField(const std::optional<TimedAngle>& e, const TimeZoneRules& zone) {
  return e ? LocalTimeText(e->Instant, zone) : std::string();
}

std::string AngleField(const std::optional<TimedAngle>& e) { return e ? AngleText(e->Degrees) : std::string(); }

}  // namespace

std::string LocalTimeText(double instant, const TimeZoneRules& zone) {
  const CivilDateTime c = LocalCivil(instant, zone);
  return Formatted("%02d:%02d:%02d", c.Hour, c.Minute, c.Second);
}

std::string LocalDateTimeText(double instant, const TimeZoneRules& zone) {
  const CivilDateTime c = LocalCivil(instant, zone);
  return Formatted("%04d-%02d-%02d", c.Year, c.Month, c.Day) + " " + LocalTimeText(instant, zone);
}

std::string AngleText(double degrees) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", degrees);
  return text;
}

std::vector<std::string> AlmanacColumnNames() {
  return {"date",         "moonrise",     "moonrise_azimuth", "transit", "transit_altitude", "moonset",
          "moonset_azimuth", "illumination", "sunrise",       "sunset",  "night_from",       "night_until"};
}

std::vector<std::string> AlmanacRowFields(const AlmanacDay& d, const TimeZoneRules& zone) {
  return {Formatted("%04d-%02d-%02d", d.Year, d.Month, d.Day),
          TimeField(d.Moonrise, zone),
          AngleField(d.Moonrise),
          TimeField(d.Transit, zone),
          AngleField(d.Transit),
          TimeField(d.Moonset, zone),
          AngleField(d.Moonset),
          d.Illumination ? AngleText(*d.Illumination) : std::string(),
          TimeField(d.Sunrise, zone),
          TimeField(d.Sunset, zone),
          TimeField(d.NightFrom, zone),
          TimeField(d.NightUntil, zone)};
}

std::string AlmanacCsv(const MonthAlmanac& almanac, const TimeZoneRules& zone) {
  const auto line = [](const std::vector<std::string>& fields) {
    std::string text;
    for (std::size_t i = 0; i < fields.size(); ++i) text += (i ? "," : "") + fields[i];
    return text + "\n";
  };
  std::string csv = line(AlmanacColumnNames());
  for (const AlmanacDay& d : almanac.Days) csv += line(AlmanacRowFields(d, zone));
  return csv;
}
