#include "nasa/hour_values.h"

#include "astro/moon_ephemeris.h"
#include "nasa/nasa_tables.h"

HourValues HourValuesAt(long double x) {
  if (HasNasaTable(x)) return {NasaHourValues(x), true, std::nullopt};
  const ComputedMoonHour computed = ComputeMoonHour(x);
  return {computed.Values, false, computed.Series};
}
