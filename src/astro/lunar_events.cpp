#include "astro/lunar_events.h"

#include <algorithm>
#include <cmath>

#include "astro/crossing_search.h"
#include "astro/delta_t.h"
#include "astro/lunar_phases.h"
#include "astro/lunar_series.h"

namespace {

constexpr double kJulianDateOfDayZero = 2415018.5;
constexpr double kSynodicMonth = 29.530588861;
constexpr double kFirstNewMoonDay = 36531.59766;  // lunation 0, 2000-01-06
// Six hours: perigee and apogee are a fortnight apart, and the rate of the distance
// changes sign only at them.
constexpr double kDistanceScanStep = 0.25;
// Half the span of the rate's central difference: short against the curvature of the
// distance near its extremes, long against the series' rounding.
constexpr double kRateHalfSpan = 1.0 / 48.0;

double UtcOfJulianEphemerisDate(double jde) {
  const long double tt = jde - kJulianDateOfDayZero;
  return static_cast<double>(tt - DeltaTSeconds(DecimalYear(tt)) / 86400.0L);
}

void AddPhases(double from, double to, std::vector<LunarEvent>& events) {
  const double first = std::floor((from - kFirstNewMoonDay) / kSynodicMonth) - 1;
  const double last = std::ceil((to - kFirstNewMoonDay) / kSynodicMonth) + 1;
  for (double k = first; k <= last; ++k) {
    const PhaseRecord p = LunationPhases(k);
    const std::pair<LunarEventKind, double> phases[] = {{LunarEventKind::NewMoon, p.NewMoon},
                                                        {LunarEventKind::FirstQuarter, p.FirstQuarter},
                                                        {LunarEventKind::FullMoon, p.FullMoon},
                                                        {LunarEventKind::LastQuarter, p.LastQuarter}};
    for (const auto& [kind, jde] : phases) {
      const double t = UtcOfJulianEphemerisDate(jde);
      if (t >= from && t < to) events.push_back({kind, t});
    }
  }
}

void AddDistanceExtremes(double from, double to, std::vector<LunarEvent>& events) {
  const auto rate = [](double t) {
    return LunarSeries(t + kRateHalfSpan).Distance - LunarSeries(t - kRateHalfSpan).Distance;
  };
  for (const Crossing& c : FindCrossings(rate, from, to, kDistanceScanStep))
    events.push_back({c.Rising ? LunarEventKind::Perigee : LunarEventKind::Apogee, c.Instant});
}

}  // namespace

std::vector<LunarEvent> LunarEventsBetween(double from, double to) {
  std::vector<LunarEvent> events;
  AddPhases(from, to, events);
  AddDistanceExtremes(from, to, events);
  std::sort(events.begin(), events.end(),
            [](const LunarEvent& a, const LunarEvent& b) { return a.Instant < b.Instant; });
  return events;
}

const char* LunarEventName(LunarEventKind kind) {
  switch (kind) {
    case LunarEventKind::NewMoon: return "New Moon";
    case LunarEventKind::FirstQuarter: return "First Quarter";
    case LunarEventKind::FullMoon: return "Full Moon";
    case LunarEventKind::LastQuarter: return "Last Quarter";
    case LunarEventKind::Perigee: return "Perigee";
    case LunarEventKind::Apogee: return "Apogee";
  }
  return "";
}
