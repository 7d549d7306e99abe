// The one place that says which instants the program covers: every hour from
// 1600-01-01 00:00 to 3999-12-31 23:00 UTC, the span of its own ephemeris. NASA's
// hourly values are used where NASA has published the year (nasa_tables.h), the
// program's own elsewhere. Navigation wraps at the ends of this range, the calendar
// spans it and the pictures are drawn inside it.
#pragma once

// Day numbers (day 0 = 1899-12-30) of the covered range.
inline constexpr long double kRangeStart = -109571.0L;  // 1600-01-01 00:00 UTC
inline constexpr long double kRangeEnd = 767011.0L;     // 4000-01-01 00:00 UTC, not included
inline constexpr long double kLastDay = 767010.0L;      // 3999-12-31 00:00 UTC

// True for instants in [kRangeStart, kRangeEnd).
bool InCoveredRange(long double x);

// x itself when covered, else the range's nearest hour: a local day or an event
// rounded to its hour can lie just outside the range while its zone's calendar is inside.
long double IntoCoveredRange(long double x);
