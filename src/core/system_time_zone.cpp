#include "core/system_time_zone.h"

#include <QDateTime>
#include <cmath>

namespace {

// Day 25569 of the program's day count is 1970-01-01, the epoch of QDateTime.
constexpr long double kUnixEpochDay = 25569.0L;

QDateTime UtcDateTimeOf(double x) {
  return QDateTime::fromMSecsSinceEpoch(std::llround((x - kUnixEpochDay) * 86400000.0L), QTimeZone::utc());
}

}  // namespace

SystemTimeZone::SystemTimeZone() : Zone(QTimeZone::systemTimeZone()) {}

SystemTimeZone::SystemTimeZone(const QTimeZone& zone) : Zone(zone) {}

std::optional<int> SystemTimeZone::OffsetSecondsAt(double x) const {
  if (!Zone.isValid() || !std::isfinite(x)) return std::nullopt;
  return Zone.offsetFromUtc(UtcDateTimeOf(x));
}

QString SystemTimeZone::Name() const { return QString::fromUtf8(Zone.id()); }

double DateTimeOf(const QDateTime& instant) {
  return static_cast<double>(instant.toMSecsSinceEpoch() / 86400000.0L + kUnixEpochDay);
}

std::optional<QTimeZone> PlaceTimeZone(const QString& ianaName) {
  if (ianaName.isEmpty()) return QTimeZone::systemTimeZone();
  const QTimeZone zone(ianaName.toUtf8());
  if (!zone.isValid()) return std::nullopt;
  return zone;
}

QString LocalZoneLabel(const SystemTimeZone& zone, double x) {
  return LocalZoneLabel(zone.Name(), zone.OffsetSecondsAt(x).value_or(0));
}

QString LocalZoneLabel(const QString& name, int offsetSeconds) {
  // To the nearest minute, as the altitude chart names the zone: a local mean time
  // (Amsterdam's +00:19:32 until 1937) has seconds.
  const long rounded = std::lround(offsetSeconds / 60.0);
  const long minutes = std::abs(rounded);
  const QString offset = QStringLiteral("UTC%1%2:%3")
                             .arg(rounded < 0 ? QStringLiteral("-") : QStringLiteral("+"))
                             .arg(minutes / 60, 2, 10, QLatin1Char('0'))
                             .arg(minutes % 60, 2, 10, QLatin1Char('0'));
  return name.isEmpty() ? QStringLiteral("Local (%1)").arg(offset) : QStringLiteral("Local (%1, %2)").arg(name, offset);
}
