#include "render/view_text.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>
#include <cstdio>

#include "astro/time_scales.h"

namespace {

QString TwoDigits(int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); }

}  // namespace

QString FormatFixed(long double v, int decimals, const QLocale& locale) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*Lf", decimals, v);
  QString text = QString::fromLatin1(buf);
  if (text.startsWith('-') && !text.contains(QRegularExpression("[1-9]"))) text.remove(0, 1);
  return text.replace('.', locale.decimalPoint());
}

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
