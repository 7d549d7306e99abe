// The eleven values of any hour: NASA's row where NASA has published the year, the
// program's own ephemeris elsewhere (1600-01-01 ... 3999-12-31).
#pragma once

#include "core/calculate_data.h"

HourValues HourValuesAt(long double x);
