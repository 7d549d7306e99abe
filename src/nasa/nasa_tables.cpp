#include "nasa/nasa_tables.h"

#include "core/hour_clock.h"
#include "astro/time_scales.h"

const NasaHourRecord& GetNASAData(long double x) {
  const std::int32_t hour = GetHourNumber(x);
  const bool in2024 = YearOf(x) == 2024;
  const NasaHourTable table = in2024 ? NasaHourTable(NasaMoonData2024) : NasaHourTable(NasaMoonData2025);
  if (hour < 0) return table.front();
  if (static_cast<std::size_t>(hour) < table.size()) return table[hour];
  return in2024 ? NasaMoonData2025[0] : table.back();
}

MoonHourValues HourValuesOf(const NasaHourRecord& n) {
  return {n.Phase, n.Age, n.Diam, n.Dist, n.RA, n.Dec, n.Slon, n.Slat, n.Elon, n.Elat, n.AxisA};
}

MoonHourValues NasaHourValues(long double x) { return HourValuesOf(GetNASAData(x)); }
