#include "astro/earth_vsop87.h"

#include <cmath>

#include "astro/sin_cos.h"
#include "ephemeris_tables.h"

namespace {

constexpr long double kJ2000Day = 36526.5L;  // 2000-01-01 12:00
constexpr double kDaysPerMillennium = 365250.0;

// One coordinate and its rate per millennium.
struct Coordinate {
  double Value = 0, Rate = 0;
};

// sum over p of tau^p S_p with S_p = sum A cos(B + C tau), and its derivative.
Coordinate Evaluate(const std::array<VsopEarthSeries, kVsopEarthPowers>& series, double tau) {
  Coordinate c;
  double power = 1, previousPower = 0;  // tau^p and p tau^(p-1)
  for (int p = 0; p < kVsopEarthPowers; ++p) {
    double sum = 0, rate = 0;
    const VsopEarthSeries s = series[p];
    for (int i = s.First; i < s.First + s.Count; ++i) {
      const VsopEarthTerm& t = kVsopEarthTerms[i];
      const UnitVector u = SinCos(t.B + t.C * tau);
      sum += t.A * u.Cos;
      rate -= t.A * t.C * u.Sin;
    }
    c.Value += power * sum;
    c.Rate += power * rate + previousPower * sum;
    previousPower = (p + 1) * power;
    power *= tau;
  }
  return c;
}

// VSOP87 J2000 ecliptic to the FK5 J2000 equator (the series' own rotation).
const Matrix3 kVsopToFk5 = {{{1.000000000000L, 0.000000440360L, -0.000000190919L},
                             {-0.000000479966L, 0.917482137087L, -0.397776982902L},
                             {0.0L, 0.397776982902L, 0.917482137087L}}};

}  // namespace

EarthState EarthHeliocentric(long double ttDay) {
  const double tau = static_cast<double>(ttDay - kJ2000Day) / kDaysPerMillennium;
  const Coordinate L = Evaluate(kVsopEarthSeries[0], tau);
  const Coordinate B = Evaluate(kVsopEarthSeries[1], tau);
  const Coordinate R = Evaluate(kVsopEarthSeries[2], tau);
  const double cl = std::cos(L.Value), sl = std::sin(L.Value);
  const double cb = std::cos(B.Value), sb = std::sin(B.Value);
  const Vector3 position = {R.Value * cb * cl, R.Value * cb * sl, R.Value * sb};
  // The derivative of position along L, B and R.
  const Vector3 velocity = (R.Rate / kDaysPerMillennium) * Vector3{cb * cl, cb * sl, sb} +
                           (R.Value * L.Rate / kDaysPerMillennium) * Vector3{-cb * sl, cb * cl, 0} +
                           (R.Value * B.Rate / kDaysPerMillennium) * Vector3{-sb * cl, -sb * sl, cb};
  return {kVsopToFk5 * position, kVsopToFk5 * velocity};
}
