#include "astro/moon_rotation.h"

#include <cmath>
#include <numbers>

#include "astro/angles.h"
#include "ephemeris_tables.h"

namespace {

constexpr long double kRadPerDeg = std::numbers::pi_v<long double> / 180;
constexpr long double kJ2000Day = 36526.5L;  // 2000-01-01 12:00

}  // namespace

MoonOrientation MoonOrientationAt(long double ttDay) {
  const long double d = ttDay - kJ2000Day;
  const long double T = d / 36525;
  // Degrees: the constant and secular parts of the model, then its periodic terms.
  long double ra = 269.9949L + 0.0031L * T;
  long double dec = 66.5392L + 0.0130L * T;
  long double w = ExactFmod(38.3213L + 13.17635815L * d - 1.4e-12L * d * d, 360.0L);
  for (const MoonRotationTerm& t : kMoonRotationTerms) {
    // Reduced to a turn first, so that the sine in double loses nothing.
    const auto e = static_cast<double>(ExactFmod(t.Angle0 + t.Rate * T, 360.0L) * kRadPerDeg);
    const double s = std::sin(e);
    ra += t.PoleRa * s;
    dec += t.PoleDec * std::cos(e);
    w += t.Meridian * s;
  }
  return {ra * kRadPerDeg, dec * kRadPerDeg, w * kRadPerDeg};
}

Matrix3 MoonBodyMatrix(const MoonOrientation& o) {
  constexpr long double kQuarter = std::numbers::pi_v<long double> / 2;
  Matrix3 m = RotationZ(static_cast<double>(kQuarter + o.PoleRa));
  TurnX(static_cast<double>(kQuarter - o.PoleDec), m);
  TurnZ(static_cast<double>(o.Meridian), m);
  return m;
}
