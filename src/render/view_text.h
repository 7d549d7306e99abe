// Texts of the Moon view's labels and of the altitude chart.
#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

// v with `decimals` fixed decimals and the locale's decimal separator ("0.00"): no
// thousands grouping, and no minus sign on a value that rounds to zero.
QString FormatFixed(long double v, int decimals, const QLocale& locale = QLocale());

// " mmm d, yyyy  hh:mm" of a date-time, e.g. " Jun 9, 2024  18:00"; month names
// from the locale.
QString DateLabelText(long double x);

// "hh:nn" of a date-time.
QString TimeOfDayText(long double x);

// "Parallactic Rotated 23.4° CW": |q| to one decimal, CW for q > 0, else CCW.
QString ParallacticRotatedText(long double q);

// The degree sign.
inline const QString kDegree = QStringLiteral("\u00B0");

// The calendar date of a date-time.
QDate CalendarDateOf(long double x);
