// NASA's hourly series covers 2024 and 2025 only. A clock outside them (Orvanel is
// used after 2025) is brought to the same month, day and hour of the nearest covered
// year, so that the pictures and the NASA values belong to the hour shown.
#pragma once

// x itself when it lies in 2024 or 2025; otherwise the same month, day and time of
// 2025 (later clocks) or 2024 (earlier clocks), 29 February becoming 28 February.
long double NearestCoveredInstant(long double x);
