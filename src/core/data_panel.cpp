#include "core/data_panel.h"

#include <cmath>

#include "core/hour_clock.h"
#include "astro/coordinates.h"
#include "astro/selenographic_sun.h"
#include "core/frame_file_name.h"
#include "core/number_text.h"
#include "core/place_panel_lines.h"

namespace {

QString PadLeft(const QString& s, int width) { return s.rightJustified(width, ' '); }

// The Sun's selenographic colongitude: where the morning terminator lies.
QString ColongitudeLine(const MoonRecord& r, const QLocale& locale) {
  return "Colong  " + FormatFixed(ColongitudeDeg(static_cast<double>(r.Slon)), 2, locale) + kDegree;
}

// The altitude of the Moon's centre, seen from the place, at which it rises and sets:
// its upper limb on the horizon under 34' of refraction, about 50' below it.
constexpr long double kRiseSetAltitudeDeg = -50.0L / 60;

// The words for a missing rise or set. A day with neither keeps the Moon on one side
// of the horizon, the side it is on at the instant.
QString NoEventText(const MoonRecord& r, const char* none) {
  if (!std::isnan(r.Rise) || !std::isnan(r.Set)) return QString::fromLatin1(none);
  return r.Altitude > kRiseSetAltitudeDeg ? QStringLiteral("up all day") : QStringLiteral("down all day");
}

}  // namespace

QString GroupedInteger(long double v) {
  const long long n = std::llrint(v);  // the default rounding mode takes halves to even
  QString digits = QString::number(n < 0 ? -n : n);
  for (int i = digits.size() - 3; i > 0; i -= 3) digits.insert(i, ',');
  return n < 0 ? "-" + digits : digits;
}

QString FormatHourMonthDay(long double x, const QLocale& locale) {
  const CivilDateTime c = DecodeDateTime(x);
  return QStringLiteral("%1:%2 %3 %4")
      .arg(c.Hour, 2, 10, QChar('0'))
      .arg(c.Minute, 2, 10, QChar('0'))
      .arg(locale.monthName(c.Month, QLocale::ShortFormat))
      .arg(c.Day);
}

QStringList DataPanelLines(const MoonRecord& r, long double Latitude, long double Longitude,
                           const TimeZoneRules& zone, const QLocale& locale) {
  const auto F = [&locale](int decimals, long double v) { return FormatFixed(v, decimals, locale); };
  const QString ns = Latitude >= 0 ? " N" : " S";
  const QString ew = Longitude > 0 ? " E" : " W";
  // An event the local day does not have is named instead of timed.
  const auto local = [&](long double x, const char* none) {
    return std::isnan(x) ? NoEventText(r, none) : FormatHourMonthDay(UtcToLocal(static_cast<double>(x), zone), locale);
  };
  return QStringList{
      "Latitude " + PadLeft(F(4, std::fabs(Latitude)) + kDegree + ns, 12),
      "Longitude" + PadLeft(F(4, std::fabs(Longitude)) + kDegree + ew, 12),
      "",
      "Altitude" + PadLeft(F(2, r.Altitude) + kDegree, 8),
      "Azimuth " + PadLeft(F(2, r.Azimuth) + kDegree, 8) + " " + CompassPoint(r.Azimuth),
      "",
      "Rise Local " + local(r.Rise, "no rise"),
      "Set  Local " + local(r.Set, "no set"),
      "",
      r.FromNasa ? "NASA Data:" : "Computed Data:",
      "Phase  " + F(2, r.Phase) + "%",
      "Age  " + F(3, r.Age) + " Days",
      "Diam  " + F(1, r.Diam) + " ArcSec",
      "Dist  " + GroupedInteger(r.Dist) + " Km",
      "RA  " + F(4, r.RA) + " Hours",
      "Dec  " + F(4, r.Dec) + kDegree,
      "Slon  " + F(3, r.Slon) + kDegree,
      "Slat  " + F(3, r.Slat) + kDegree,
      "Elon  " + F(4, r.Elon) + kDegree,
      "Elat  " + F(3, r.Elat) + kDegree,
      "AxisA  " + F(3, r.AxisA) + kDegree,
      ColongitudeLine(r, locale),
      // NASA's frames exist for the years of its tables only.
      r.FromNasa ? QString::fromStdString(GetFileName("jpg", r.DateTime)) : QString(),
      "",
  } + PlacePanelLines(r.Topocentric, locale);
}
