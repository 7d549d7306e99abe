// The one place that says which instants the program covers: NASA's hourly Moon
// series of 2024 and 2025. Navigation wraps at its ends, the calendar spans it and
// the pictures are drawn inside it. A clock outside it (Orvanel used after 2025) is
// brought to the same month, day and hour of the nearest covered year, so that the
// pictures and the NASA values belong to the hour shown.
#pragma once

// Day numbers (day 0 = 1899-12-30) of the covered range.
inline constexpr long double kRangeStart = 45292.0L;  // 2024-01-01 00:00 UTC
inline constexpr long double kRangeEnd = 46023.0L;    // 2026-01-01 00:00 UTC, not included
inline constexpr long double kLastDay = 46022.0L;     // 2025-12-31 00:00 UTC
inline constexpr int kFirstCoveredYear = 2024;
inline constexpr int kLastCoveredYear = 2025;

// True for instants in [kRangeStart, kRangeEnd).
bool InCoveredRange(long double x);

// x itself when it lies in 2024 or 2025; otherwise the same month, day and time of
// 2025 (later clocks) or 2024 (earlier clocks), 29 February becoming 28 February.
long double NearestCoveredInstant(long double x);
