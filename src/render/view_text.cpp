#include "render/view_text.h"

#include <QLocale>
#include <cmath>

#include "astro/time_scales.h"

namespace {

QString TwoDigits(int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); }

}  // namespace

QString DateLabelText(long double x) {
  const CivilDateTime c = DecodeDateTime(x);
  return QStringLiteral(" %1 %2, %3  %4:%5")
      .arg(QLocale().monthName(c.Month, QLocale::ShortFormat))
      .arg(c.Day)
      .arg(c.Year)
      .arg(TwoDigits(c.Hour), TwoDigits(c.Minute));
}

QString TimeOfDayText(long double x) {
  const CivilDateTime c = DecodeDateTime(x);
  return TwoDigits(c.Hour) + QLatin1Char(':') + TwoDigits(c.Minute);
}

long double SignedDegrees(long double a) {
  const long double r = std::remainder(a, 360.0L);  // in [-180, 180]
  return r == -180.0L ? 180.0L : r;
}

QString ParallacticRotatedText(long double q) {
  const long double turn = SignedDegrees(q);
  return QStringLiteral("Parallactic Rotated ") + FormatFixed(std::fabs(turn), 1) + kDegree +
         (turn > 0 ? QStringLiteral(" CW") : QStringLiteral(" CCW"));
}

QString UtcOffsetText(long double hours) {
  const long minutes = std::lround(static_cast<double>(hours * 60));
  if (minutes == 0) return QStringLiteral("UTC");
  const long a = std::labs(minutes);
  return QStringLiteral("UTC") + (minutes < 0 ? QChar(0x2212) : QLatin1Char('+')) + TwoDigits(static_cast<int>(a / 60)) +
         QLatin1Char(':') + TwoDigits(static_cast<int>(a % 60));
}

QDate CalendarDateOf(long double x) {
  const CivilDateTime c = DecodeDateTime(x);
  return QDate(c.Year, c.Month, c.Day);
}

QDate LocalCalendarDateOf(long double x, const TimeZoneRules& zone) {
  return CalendarDateOf(UtcToLocal(static_cast<double>(x), zone));
}
