#include "astro/moon_position.h"

#include <algorithm>
#include <cmath>

#include "astro/angle_multiples.h"
#include "astro/angles.h"
#include "astro/coordinates.h"
#include "astro/time_scales.h"
#include "astro_tables.h"

namespace {

// Mean radius of the Moon, km.
constexpr long double kMoonRadiusKm = 1737.4L;
// Fixed obliquity of the ecliptic used for the Moon's equatorial place: the J2000
// value 84381.406" in radians.
constexpr long double kObliquity = 0.4090926006005829L;

// Mean arguments of the lunar theory, radians.
struct MoonArguments {
  double Lp, D, M, Mp, F, A1, A2, A3, E;
};

MoonArguments ArgumentsAt(long double T) {
  const long double T2 = T * T, T3 = T2 * T, T4 = T3 * T;
  MoonArguments a;
  a.Lp = SeriesTurnRadians(218.31665436L + 481267.8813424L * T - 0.0013268L * T2 + 0.000001856L * T3 -
                           0.00000001534L * T4);
  a.D = SeriesTurnRadians(297.8502042L + 445267.11151675L * T - 0.00163L * T2 + 0.000001832L * T3 -
                          0.00000000884L * T4);
  a.M = SeriesTurnRadians(357.52910918L + 35999.05029094L * T - 0.0001536L * T2 + 0.000000041L * T3);
  a.Mp = SeriesTurnRadians(134.96341138L + 477198.86763133L * T + 0.008997L * T2 +
                           0.000014348L * T3 - 0.00000006797L * T4);
  a.F = SeriesTurnRadians(93.27209932L + 483202.01752731L * T - 0.0034029L * T2 - 0.000000284L * T3 +
                          0.00000000116L * T4);
  a.A1 = SeriesTurnRadians(119.75L + 131.849L * T);  // action of Venus
  a.A2 = SeriesTurnRadians(53.09L + 479264.29L * T); // action of Jupiter
  a.A3 = SeriesTurnRadians(313.45L + 481266.484L * T);
  a.E = static_cast<double>(1 - 0.002516L * T - 0.0000074L * T2);  // decreasing eccentricity of the Earth's orbit
  return a;
}

// Factor of a term with multiplier m of the Sun's mean anomaly: E^|m|.
double EccentricityFactor(const MoonArguments& a, std::int32_t m) {
  if (m == 0) return 1;
  return m == 1 || m == -1 ? a.E : a.E * a.E;
}

constexpr int kMaxMultiplier =
    std::max(kMoonLongitudeDistanceMaxMultiplier, kMoonLatitudeMaxMultiplier);

// Multiples of the four arguments that the tables combine.
struct ArgumentMultiples {
  explicit ArgumentMultiples(const MoonArguments& a) : D(a.D), M(a.M), Mp(a.Mp), F(a.F) {}

  AngleMultiples<kMaxMultiplier> D, M, Mp, F;

  // cos and sin of d*D + m*M + mp*M' + f*F.
  UnitVector Of(std::int32_t d, std::int32_t m, std::int32_t mp, std::int32_t f) const {
    return Rotate(Rotate(D[d], M[m]), Rotate(Mp[mp], F[f]));
  }
};

}  // namespace

MoonPositionRecord MoonPosition(double instant) {
  const MoonArguments a = ArgumentsAt(JulianCenturiesJ2000(instant));
  const ArgumentMultiples x(a);

  // Periodic sums in 0.000001 degree (longitude, latitude) and 0.001 km (distance).
  double sumL = 0, sumR = 0, sumB = 0;
  for (const MoonLongitudeDistanceTerm& t : kMoonLongitudeDistanceTerms) {
    const UnitVector u = x.Of(t.D, t.M, t.Mp, t.F);
    const double e = EccentricityFactor(a, t.M);
    sumL += t.SigmaL * e * u.Sin;
    sumR += t.SigmaR * e * u.Cos;
  }
  for (const MoonLatitudeTerm& t : kMoonLatitudeTerms)
    sumB += t.SigmaB * EccentricityFactor(a, t.M) * x.Of(t.D, t.M, t.Mp, t.F).Sin;

  // Additive terms for Venus, Jupiter and the flattening of the Earth.
  sumL += 3958 * std::sin(a.A1) + 1962 * std::sin(a.Lp - a.F) + 318 * std::sin(a.A2);
  sumB += -2235 * std::sin(a.Lp) + 382 * std::sin(a.A3) + 175 * std::sin(a.A1 - a.F) +
          175 * std::sin(a.A1 + a.F) + 127 * std::sin(a.Lp - a.Mp) - 115 * std::sin(a.Lp + a.Mp);

  const double lambda = a.Lp + sumL / 1000000 / static_cast<double>(kSeriesDegreesPerRadian);
  const double beta = sumB / 1000000 / static_cast<double>(kSeriesDegreesPerRadian);
  const double distance = 385000.56 + sumR / 1000;

  const double sinEps = std::sin(static_cast<double>(kObliquity)), cosEps = std::cos(static_cast<double>(kObliquity));
  const double ra = Atan2Positive(std::sin(lambda) * cosEps - std::tan(beta) * sinEps, std::cos(lambda));
  const double dec = std::asin(std::sin(beta) * cosEps + std::cos(beta) * sinEps * std::sin(lambda));

  MoonPositionRecord r;
  r.RightAscension = ra * kSeriesDegreesPerRadian;
  r.Declination = dec * kSeriesDegreesPerRadian;
  r.HorizontalParallax = std::asin(static_cast<double>(kEarthEquatorialRadiusKm) / distance) * kSeriesDegreesPerRadian;
  r.SemiDiameter = std::asin(static_cast<double>(kMoonRadiusKm) / distance) * kSeriesDegreesPerRadian;
  r.Distance = distance;
  r.EclipticLongitude = lambda;
  r.EclipticLatitude = beta;
  return r;
}

MoonCorrections MoonApparentCorrections(double instant) {
  const long double T = JulianCenturiesJ2000(instant);
  const double anomaly = SeriesTurnRadians(225 + 477198.9L * T);
  const double latitudeArg = SeriesTurnRadians(183.3L + 483202 * T);
  return {-0.00019524L - 0.00001059L * std::sin(anomaly),
          -0.00001754L * std::sin(latitudeArg),
          0.0708L * std::cos(anomaly)};
}
