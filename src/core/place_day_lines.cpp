#include "core/place_day_lines.h"

#include <cmath>
#include <optional>

#include "astro/moon_sky_events.h"
#include "astro/twilight.h"
#include "core/data_panel.h"
#include "core/local_day_events.h"
#include "core/number_text.h"

QStringList PlaceDayLines(const MoonRecord& r, const TimeZoneRules& zone, const QLocale& locale) {
  const LocalDaySpan day = LocalDayOf(static_cast<double>(r.DateTime), zone);
  const std::vector<Crossing> sun = SunCrossings(day.Start, day.End, r.Latitude, r.Longitude, kSunriseAltitude);
  const auto local = [&](const std::optional<double>& t, const char* none) {
    return t ? FormatHourMonthDay(UtcToLocal(*t, zone), locale) : QString::fromLatin1(none);
  };
  // The rise and the set are NaN where the day has none and 0 where the search failed.
  const auto azimuth = [&](long double t) {
    if (std::isnan(t) || t == 0) return QStringLiteral("-");
    const long double a = MoonAltAz(static_cast<double>(t), r.Latitude, r.Longitude, 0).Azimuth;
    return FormatFixed(a, 2, locale) + kDegree + " " + CompassPoint(a);
  };
  return {"Sunrise Local " + local(FirstCrossing(sun, true), "no sunrise"),
          "Sunset  Local " + local(FirstCrossing(sun, false), "no sunset"), "Rise Azimuth " + azimuth(r.Rise),
          "Set  Azimuth " + azimuth(r.Set)};
}
