#include "core/lunar_calendar_ics.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "astro/time_scales.h"
#include "core/covered_range.h"

namespace {

// "20270301T123456Z": an RFC 5545 DATE-TIME in UTC, to the nearest second.
std::string IcsUtc(double instant) {
  const CivilDateTime c = DecodeDateTime(std::round(instant * 86400.0L) / 86400.0L);
  char text[24];
  std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d%02dZ", c.Year, c.Month, c.Day, c.Hour, c.Minute,
                c.Second);
  return text;
}

// The same event always gets the same UID, so a calendar that imports the file again
// updates its events instead of doubling them.
std::string Uid(const LunarEvent& e) {
  std::string kind = LunarEventName(e.Kind);
  for (char& c : kind)
    c = c == ' ' ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return IcsUtc(e.Instant) + "-" + kind + "@orvanel";
}

}  // namespace

std::string LunarCalendarIcs(const std::vector<LunarEvent>& events, double DtStampUtc) {
  const std::string stamp = IcsUtc(DtStampUtc);
  std::string ics = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Orvanel//Moon phases and distances//EN\r\n"
                    "CALSCALE:GREGORIAN\r\n";
  for (const LunarEvent& e : events)
    ics += "BEGIN:VEVENT\r\nUID:" + Uid(e) + "\r\nDTSTAMP:" + stamp + "\r\nDTSTART:" + IcsUtc(e.Instant) +
           "\r\nSUMMARY:" + LunarEventName(e.Kind) + "\r\nTRANSP:TRANSPARENT\r\nEND:VEVENT\r\n";
  return ics + "END:VCALENDAR\r\n";
}

std::vector<LunarEvent> LunarEventsOfYear(int year, const TimeZoneRules* zone) {
  if (year < 1600 || year > 3999) throw std::domain_error("the calendar covers the years 1600 ... 3999");
  const auto newYear = [zone](int y) {
    const auto midnight = static_cast<double>(EncodeDate(y, 1, 1));
    return zone ? LocalToUtc(midnight, *zone) : midnight;
  };
  return LunarEventsBetween(static_cast<double>(std::max<long double>(newYear(year), kRangeStart)),
                            static_cast<double>(std::min<long double>(newYear(year + 1), kRangeEnd)));
}
