// The data panel: the 31 lines that describe a MoonRecord, for Memo1 and for
// "orvanel-cli panel". A pure function of the record, the place, the zone and the locale.
#pragma once

#include <QLocale>
#include <QStringList>

#include "core/moon_record.h"
#include "astro/time_scales.h"

// v rounded to an integer (halves to even) with "," between groups of three digits.
QString GroupedInteger(long double v);

// "hh:mm mmm d" with the locale's short month name.
QString FormatHourMonthDay(long double x, const QLocale& locale);

QStringList DataPanelLines(const MoonRecord& r, long double Latitude, long double Longitude,
                           const TimeZoneRules& zone, const QLocale& locale);
