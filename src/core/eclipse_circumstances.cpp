#include "core/eclipse_circumstances.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "astro/coordinates.h"
#include "astro/moon_position.h"
#include "core/number_text.h"

namespace {

// "hh:mm", cut to the minute as almanacs print contacts.
QString HourMinute(double x) {
  const CivilDateTime c = DecodeDateTime(x);
  return QStringLiteral("%1:%2").arg(c.Hour, 2, 10, QChar('0')).arg(c.Minute, 2, 10, QChar('0'));
}

double MoonAltitudeDeg(double instant, long double latitude, long double longitude) {
  const MoonPositionRecord m = MoonPosition(instant);
  return static_cast<double>(
      TopocentricAltAz(instant, m.RightAscension, m.Declination, m.HorizontalParallax, latitude, longitude, 0)
          .Altitude);
}

QString PhaseAt(const LunarEclipse& e, double instant) {
  if (e.U2 && *e.U2 <= instant && instant <= *e.U3) return QStringLiteral("Now: totality");
  if (e.U1 && *e.U1 <= instant && instant <= *e.U4) return QStringLiteral("Now: partial phase");
  return QStringLiteral("Now: penumbral phase");
}

}  // namespace

std::vector<EclipseContact> ContactsSeenFrom(const LunarEclipse& e, long double latitude, long double longitude,
                                             const TimeZoneRules& zone) {
  const std::pair<const char*, std::optional<double>> instants[] = {
      {"P1", e.P1}, {"U1", e.U1}, {"U2", e.U2}, {"Greatest", e.Greatest}, {"U3", e.U3}, {"U4", e.U4}, {"P4", e.P4}};
  std::vector<EclipseContact> contacts;
  for (const auto& [name, utc] : instants)
    if (utc)
      contacts.push_back({QString::fromLatin1(name), *utc, UtcToLocal(*utc, zone),
                          MoonAltitudeDeg(*utc, latitude, longitude)});
  return contacts;
}

// The altitude every five minutes: in so short a time the Moon cannot climb more than
// 0.004 degree above the horizon and sink below it again.
bool SeenFrom(const LunarEclipse& e, long double latitude, long double longitude) {
  constexpr double kStepDays = 5.0 / (24 * 60);
  const int steps = std::max(1, static_cast<int>(std::ceil((e.P4 - e.P1) / kStepDays)));
  for (int i = 0; i <= steps; ++i)
    if (MoonAltitudeDeg(e.P1 + (e.P4 - e.P1) * i / steps, latitude, longitude) > 0) return true;
  return false;
}

QString EclipseTitle(const LunarEclipse& e, const QLocale& locale) {
  QString kind = QString::fromLatin1(LunarEclipseKindName(e.Kind));
  kind[0] = kind[0].toUpper();
  return QStringLiteral("%1 lunar eclipse: umbral magnitude %2, greatest %3 UTC")
      .arg(kind, FormatFixed(e.UmbralMagnitude, 3, locale), HourMinute(e.Greatest));
}

QString ContactLine(const EclipseContact& c, const QLocale& locale) {
  const QString altitude = c.AltitudeDeg > 0 ? "Moon " + FormatFixed(c.AltitudeDeg, 0, locale) + kDegree + " up"
                                             : QStringLiteral("Moon below horizon");
  return QStringLiteral("%1  %2 UTC  %3 local  %4")
      .arg(c.Name.leftJustified(2), HourMinute(c.Utc), HourMinute(c.Local), altitude);
}

QStringList EclipsePanelLines(long double instant, long double latitude, long double longitude,
                              const TimeZoneRules& zone, const QLocale& locale) {
  const auto x = static_cast<double>(instant);
  const std::optional<LunarEclipse> e = LunarEclipseAt(x);
  if (!e) return {};
  QStringList lines{EclipseTitle(*e, locale), PhaseAt(*e, x)};
  for (const EclipseContact& c : ContactsSeenFrom(*e, latitude, longitude, zone)) lines << ContactLine(c, locale);
  return lines;
}
