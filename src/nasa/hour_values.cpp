#include "nasa/hour_values.h"

#include "astro/moon_ephemeris.h"
#include "nasa/nasa_tables.h"

HourValues HourValuesAt(long double x) {
  if (HasNasaTable(x)) return {NasaHourValues(x), true};
  return {ComputeMoonHourValues(x), false};
}
