// Texts of the Moon view's labels and of the altitude chart.
#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

#include "astro/time_scales.h"
#include "core/number_text.h"

// " mmm d, yyyy  hh:mm" of a date-time, e.g. " Jun 9, 2024  18:00"; month names
// from the locale.
QString DateLabelText(long double x);

// "hh:nn" of a date-time.
QString TimeOfDayText(long double x);

// An angle in degrees brought into (-180, 180].
long double SignedDegrees(long double a);

// "Parallactic Rotated 23.4° CW": q brought into (-180, 180], its size to one
// decimal, CW when positive, else CCW.
QString ParallacticRotatedText(long double q);

// A local-minus-UTC offset in hours as "UTC+05:30", "UTC−05:00" (a minus sign) or "UTC".
QString UtcOffsetText(long double hours);

// The calendar date of a date-time.
QDate CalendarDateOf(long double x);

// The local calendar date of a UTC instant in zone: the day the calendar shows.
QDate LocalCalendarDateOf(long double x, const TimeZoneRules& zone);
