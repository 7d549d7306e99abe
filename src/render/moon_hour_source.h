// Where the drawn Moon gets the eleven values of an hour: the one place to change
// when the program computes them for years outside NASA's compiled-in tables.
#pragma once

#include <optional>

#include "astro/moon_hour_values.h"

// The values of the UTC hour that holds instant (day number from 1899-12-30);
// none outside 2024 and 2025, the years of NASA's compiled-in rows.
std::optional<MoonHourValues> MoonHourValuesAt(long double instant);
