#include "astro/lunar_series.h"

#include <cmath>
#include <stdexcept>

#include "astro/angle_multiples.h"
#include "astro/angles.h"
#include "astro/coordinates.h"
#include "astro/lunar_main_pairs.h"
#include "lunar_series_rotations.h"
#include "astro/time_scales.h"

namespace {

constexpr long double kMoonRadiusKm = 1737.4L;

// Date-times of 0001-01-01 and 10000-01-01: the calendar of the Julian date.
constexpr double kFirstDateTime = -693593.0, kEndDateTime = 2958466.0;

// The series are summed without a sine per term: every argument is built by
// rotating unit vectors of whole multiples of a few angles computed once per
// call (astro/angle_multiples.h). The generated rotation form of the table
// (lunar_series_rotations.h) gives for each main-problem row its multiples of
// D, l', l, F and the small residual of the table's rounding, and for each
// perturbation row the sine and cosine of its phase and its frequency in
// balanced base-201 digits of 0.0001 deg per century.

using DelaunayMultiples = AngleMultiples<kLunarMaxDelaunayMultiplier>;
using DigitMultiples = AngleMultiples<kLunarFrequencyDigitMax>;

// An angle in degrees reduced to one turn (fmod is exact), in radians: the
// argument keeps its extended precision until the reduction, the sums work in double.
double TurnRadians(long double degrees) {
  return static_cast<double>(ExactFmod(degrees, 360.0L) / kDegreesPerRadian);
}

// Unit vector of a residual angle below 1e-4 radian; the dropped terms are under 1e-24.
UnitVector SmallAngle(double x) {
  const double x2 = x * x;
  return {1 - x2 / 2 * (1 - x2 / 12), x * (1 - x2 / 6 * (1 - x2 / 20))};
}

// Each of table's pairs of multiples of angles a and b, turned together.
template <std::size_t N>
void RotatePairs(const lunar_main_pairs::PairTable& table, const DelaunayMultiples& a, const DelaunayMultiples& b,
                 std::array<UnitVector, N>& pairs) {
  for (std::size_t i = 0; i < N; ++i) pairs[i] = Rotate(a[table.Pairs[i][0]], b[table.Pairs[i][1]]);
}

// The pairs of multiples of (D, l') and of (l, F) that the main problem's terms combine.
struct MainArguments {
  explicit MainArguments(long double T) {
    std::array<DelaunayMultiples, 4> d;
    for (std::size_t k = 0; k < 4; ++k) {
      const std::array<long double, 5>& c = kLunarDelaunayDegrees[k];
      d[k] = DelaunayMultiples(TurnRadians(c[0] + T * (c[1] + T * (c[2] + T * (c[3] + T * c[4])))));
    }
    RotatePairs(kLunarMainPairs.First, d[0], d[1], First);
    RotatePairs(kLunarMainPairs.Second, d[2], d[3], Second);
  }
  std::array<UnitVector, kLunarMainPairs.First.Count> First;
  std::array<UnitVector, kLunarMainPairs.Second.Count> Second;
};

// The angle of each frequency digit's unit, kLunarFrequencyBase^j kLunarFrequencyStep T.
std::array<double, 5> DigitAngles(long double T) {
  std::array<double, 5> angles;
  long double weight = kLunarFrequencyStep * T;  // degrees
  for (double& angle : angles) {
    angle = TurnRadians(weight);
    weight *= kLunarFrequencyBase;
  }
  return angles;
}

struct PerturbationArguments {
  explicit PerturbationArguments(long double T) : PerturbationArguments(DigitAngles(T)) {}
  // Each table built in its place: they are large, and a copy costs as much as a build.
  explicit PerturbationArguments(const std::array<double, 5>& a)
      : Digits{DigitMultiples(a[0]), DigitMultiples(a[1]), DigitMultiples(a[2]), DigitMultiples(a[3]),
               DigitMultiples(a[4])} {}
  std::array<DigitMultiples, 5> Digits;
};

// Sum of the main-problem terms; the distance series uses the cosine.
template <std::size_t N>
double SumMain(const std::array<LunarMainRotation, N>& terms, const std::array<lunar_main_pairs::TermPairs, N>& pairs,
               const MainArguments& a, double T, bool cosine) {
  double sum = 0;
  for (std::size_t i = 0; i < N; ++i) {
    const LunarMainRotation& t = terms[i];
    const std::array<double, 5>& r = t.Residual;
    const UnitVector combination = Rotate(a.First[pairs[i].First], a.Second[pairs[i].Second]);
    const UnitVector u =
        Rotate(combination, SmallAngle(r[0] + T * (r[1] + T * (r[2] + T * (r[3] + T * r[4])))));
    sum += t.Amplitude * (cosine ? u.Cos : u.Sin);
  }
  return sum;
}

template <std::size_t N>
double SumPerturbations(const std::array<LunarPerturbationRotation, N>& terms,
                        const PerturbationArguments& a, bool cosine) {
  double sum = 0;
  for (const LunarPerturbationRotation& t : terms) {
    UnitVector u = t.Phase;
    for (std::size_t j = 0; j < a.Digits.size(); ++j)
      if (t.Digits[j] != 0) u = Rotate(u, a.Digits[j][t.Digits[j]]);
    sum += t.Amplitude * (cosine ? u.Cos : u.Sin);
  }
  return sum;
}

// The arguments of both kinds of term at one instant, built once for every series summed.
struct SeriesArguments {
  explicit SeriesArguments(double DateTime)
      : T(Centuries(DateTime)), T2(T * T), Td(static_cast<double>(T)), Main(T), Perturbation(T) {}
  static long double Centuries(double DateTime) {
    if (!(DateTime >= kFirstDateTime && DateTime < kEndDateTime))
      throw std::domain_error("lunar series: the instant is not a date-time of the years 1 to 9999");
    return JulianCenturiesJ2000(DateTime);
  }
  long double T, T2;
  double Td;
  MainArguments Main;
  PerturbationArguments Perturbation;
};

// Degrees, [0, 360).
long double Longitude(const SeriesArguments& a) {
  const long double T = a.T, T2 = a.T2;
  const PerturbationArguments& p = a.Perturbation;
  // Mean longitude of the Moon referred to the mean equinox of date.
  const long double W1 = 218.31665436L + 481267.8813424L * T - 13.268e-4L * T2 +
                         1.856e-6L * T2 * T - 1.534e-8L * T2 * T2;

  // Perturbation amplitudes of longitude and latitude are in 0.001 degree; the
  // T^2 series carry a factor 1e4 that the 1e-4 T^2 takes back.
  const long double longitude =
      W1 + SumMain(LongitudeMainRotations, kLunarMainPairs.Longitude, a.Main, a.Td, false) +
      0.001L * (SumPerturbations(LongitudeT0Rotations, p, false) +
                T * SumPerturbations(LongitudeT1Rotations, p, false) +
                1e-4L * T2 * SumPerturbations(LongitudeT2Rotations, p, false));
  return Normalize360(std::fmod(longitude, 360.0L));  // fmod keeps the sign; Normalize360 lifts it
}

// Degrees.
long double Latitude(const SeriesArguments& a) {
  const PerturbationArguments& p = a.Perturbation;
  return SumMain(LatitudeMainRotations, kLunarMainPairs.Latitude, a.Main, a.Td, false) +
         0.001L * (SumPerturbations(LatitudeT0Rotations, p, false) +
                   a.T * SumPerturbations(LatitudeT1Rotations, p, false) +
                   1e-4L * a.T2 * SumPerturbations(LatitudeT2Rotations, p, false));
}

// Km.
long double Distance(const SeriesArguments& a) {
  const PerturbationArguments& p = a.Perturbation;
  // 385000.57 km: the constant terms of the main problem and of the T^0
  // perturbations, which the table does not carry as rows.
  return 385000.57L + SumMain(DistanceMainRotations, kLunarMainPairs.Distance, a.Main, a.Td, true) +
         SumPerturbations(DistanceT0Rotations, p, true) + a.T * SumPerturbations(DistanceT1Rotations, p, true) +
         1e-4L * a.T2 * SumPerturbations(DistanceT2Rotations, p, true);
}

// The series' place of date (degrees) carried to the apparent equatorial place;
// Longitude and Latitude are replaced by their apparent values.
EquatorialPosition ApparentEquatorial(long double& Longitude, long double& Latitude, double DateTime) {
  const MoonCorrections corrections = MoonApparentCorrections(DateTime);
  const Nutation nutation = NutationIau2000A(DateTime);
  Longitude += nutation.DeltaPsi / 3600.0L + corrections.Longitude;
  Latitude += corrections.Latitude;
  return EclipticToEquatorial(DateTime, Longitude / kDegreesPerRadian, Latitude / kDegreesPerRadian,
                              nutation.DeltaEpsilon);
}

}  // namespace

LunarSeriesPosition LunarSeries(double DateTime) {
  const SeriesArguments a(DateTime);
  return {Longitude(a), Latitude(a), Distance(a)};
}

long double LunarSeriesLongitude(double DateTime) { return Longitude(SeriesArguments(DateTime)); }

ApparentPlace MoonApparentPlace(long double& Longitude, long double& Latitude,
                                long double Distance, double DateTime) {
  // The distance correction is not applied: parallax and semi-diameter use the
  // geometric distance of the series.
  const EquatorialPosition equatorial = ApparentEquatorial(Longitude, Latitude, DateTime);
  return {equatorial.RightAscension, equatorial.Declination, HorizontalParallax(Distance)};
}

EquatorialPosition MoonApparentDirection(double DateTime) {
  const SeriesArguments a(DateTime);
  long double longitude = Longitude(a), latitude = Latitude(a);
  return ApparentEquatorial(longitude, latitude, DateTime);
}

EquatorialPosition MoonApparentDirection(double DateTime, const LunarSeriesPlace& near,
                                         const MoonPositionRecord& now) {
  constexpr double kFarthestDays = 300.0 / 86400;
  if (!(std::fabs(DateTime - near.DateTime) <= kFarthestDays)) return MoonApparentDirection(DateTime);
  const MoonPositionRecord then = MoonPosition(near.DateTime);
  long double longitude =
      near.Position.Longitude +
      std::remainder(now.EclipticLongitude - then.EclipticLongitude, 2 * kPi) * kSeriesDegreesPerRadian;
  long double latitude =
      near.Position.Latitude + (now.EclipticLatitude - then.EclipticLatitude) * kSeriesDegreesPerRadian;
  return ApparentEquatorial(longitude, latitude, DateTime);
}

MoonPositionRecord ApparentMoon(double DateTime) {
  LunarSeriesPosition p = LunarSeries(DateTime);
  const ApparentPlace a = MoonApparentPlace(p.Longitude, p.Latitude, p.Distance, DateTime);
  return {a.RightAscension * kDegreesPerRadian,
          a.Declination * kDegreesPerRadian,
          a.HorizontalParallax * kDegreesPerRadian,
          ArcSinDeg(kMoonRadiusKm / p.Distance),
          p.Distance,
          p.Longitude / kDegreesPerRadian,
          p.Latitude / kDegreesPerRadian};
}

MoonRaDec MoonRaDecParallax(double instant) {
  const MoonPositionRecord m = ApparentMoon(instant);
  return {m.RightAscension, m.Declination, m.HorizontalParallax};
}
