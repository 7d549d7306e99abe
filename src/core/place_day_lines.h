// The panel's lines about the place's day: sunrise and sunset of the local day of the
// instant and the compass directions of the Moon's rise and set, in the place's zone.
#pragma once

#include <QLocale>
#include <QStringList>

#include "astro/time_scales.h"
#include "core/moon_record.h"

// Four lines, for example
//   "Sunrise Local 06:12 Mar 1", "Sunset  Local 17:35 Mar 1",
//   "Rise Azimuth 124.53° SE",   "Set  Azimuth 235.11° SW";
// "no sunrise" / "no sunset" where the Sun does not cross the horizon that day, and
// "Rise Azimuth -" where the record has no rise (likewise the set). r gives the
// instant, the place and its rise and set (CalculateMoonRecord).
QStringList PlaceDayLines(const MoonRecord& r, const TimeZoneRules& zone, const QLocale& locale);
