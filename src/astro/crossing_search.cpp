#include "astro/crossing_search.h"

#include <algorithm>

namespace {

constexpr double kTenthOfSecond = 0.1 / 86400.0;

double Bisected(const std::function<long double(double)>& f, double lo, double hi, bool rising) {
  while (hi - lo > kTenthOfSecond) {
    const double mid = (lo + hi) / 2;
    ((f(mid) < 0) == rising ? lo : hi) = mid;
  }
  return (lo + hi) / 2;
}

}  // namespace

std::vector<Crossing> FindCrossings(const std::function<long double(double)>& f, double from, double to,
                                    double step) {
  std::vector<Crossing> found;
  double t0 = from;
  long double f0 = f(t0);
  while (t0 < to) {
    const double t1 = std::min(t0 + step, to);
    const long double f1 = f(t1);
    if ((f0 < 0) != (f1 < 0)) {
      const bool rising = f0 < 0;
      const double t = Bisected(f, t0, t1, rising);
      if (t < to) found.push_back({t, rising});
    }
    t0 = t1;
    f0 = f1;
  }
  return found;
}

std::optional<double> FirstCrossing(const std::vector<Crossing>& crossings, bool rising) {
  for (const Crossing& c : crossings)
    if (c.Rising == rising) return c.Instant;
  return std::nullopt;
}
