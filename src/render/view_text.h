// Texts of the Moon view's labels and of the altitude chart.
#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

#include "core/number_text.h"

// " mmm d, yyyy  hh:mm" of a date-time, e.g. " Jun 9, 2024  18:00"; month names
// from the locale.
QString DateLabelText(long double x);

// "hh:nn" of a date-time.
QString TimeOfDayText(long double x);

// "Parallactic Rotated 23.4° CW": |q| to one decimal, CW for q > 0, else CCW.
QString ParallacticRotatedText(long double q);

// The calendar date of a date-time.
QDate CalendarDateOf(long double x);
