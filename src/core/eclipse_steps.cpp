#include "core/eclipse_steps.h"

#include "astro/lunar_eclipses.h"

std::optional<long double> EclipseStep(long double x, bool forward) {
  const std::optional<LunarEclipse> e = AdjacentLunarEclipse(static_cast<double>(x), forward);
  if (!e) return std::nullopt;
  return e->Greatest;
}
