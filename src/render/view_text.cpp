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

QString ParallacticRotatedText(long double q) {
  return QStringLiteral("Parallactic Rotated ") + FormatFixed(std::fabs(q), 1) + kDegree +
         (q > 0 ? QStringLiteral(" CW") : QStringLiteral(" CCW"));
}

QDate CalendarDateOf(long double x) {
  const CivilDateTime c = DecodeDateTime(x);
  return QDate(c.Year, c.Month, c.Day);
}
