#include "astro/lunar_series.h"

#include <cmath>
#include <stdexcept>

#include "astro/coordinates.h"
#include "astro/time_scales.h"

namespace {

constexpr long double kDegreesPerRadian = 57.295779513082320877L;
constexpr long double kMoonRadiusKm = 1737.4L;

// Date-times of 0001-01-01 and 10000-01-01: the calendar of the Julian date.
constexpr double kFirstDateTime = -693593.0, kEndDateTime = 2958466.0;

// Sum of the main-problem terms; the distance series uses the cosine.
template <std::size_t N>
long double SumMain(const std::array<LunarMainTerm, N>& terms, long double T, bool cosine) {
  const long double T2 = T * T, T3 = T2 * T, T4 = T3 * T;
  long double sum = 0;
  for (const LunarMainTerm& t : terms) {
    const long double argument =
        t.C0 + t.C1 * T + t.C2 * 1e-4L * T2 + t.C3 * 1e-6L * T3 + t.C4 * 1e-8L * T4;
    sum += t.Amplitude * (cosine ? CosDeg(argument) : SinDeg(argument));
  }
  return sum;
}

template <std::size_t N>
long double SumPerturbations(const std::array<LunarPerturbationTerm, N>& terms, long double T,
                             bool cosine) {
  long double sum = 0;
  for (const LunarPerturbationTerm& t : terms) {
    const long double argument = t.Phase + t.Frequency * T;
    sum += t.Amplitude * (cosine ? CosDeg(argument) : SinDeg(argument));
  }
  return sum;
}

}  // namespace

LunarSeriesPosition LunarSeries(double DateTime) {
  if (!(DateTime >= kFirstDateTime && DateTime < kEndDateTime))
    throw std::domain_error("lunar series: the instant is not a date-time of the years 1 to 9999");
  const LunarSeriesCoefficients& s = LunarSeriesTable;
  const long double T = JulianCenturiesJ2000(DateTime);
  const long double T2 = T * T;

  // Mean longitude of the Moon referred to the mean equinox of date.
  const long double W1 = 218.31665436L + 481267.8813424L * T - 13.268e-4L * T2 +
                         1.856e-6L * T2 * T - 1.534e-8L * T2 * T2;

  // Perturbation amplitudes of longitude and latitude are in 0.001 degree; the
  // T^2 series carry a factor 1e4 that the 1e-4 T^2 takes back.
  long double longitude =
      W1 + SumMain(s.LongitudeMain, T, false) +
      0.001L * (SumPerturbations(s.LongitudeT0, T, false) +
                T * SumPerturbations(s.LongitudeT1, T, false) +
                1e-4L * T2 * SumPerturbations(s.LongitudeT2, T, false));
  longitude = Normalize360(std::fmod(longitude, 360.0L));  // fmod keeps the sign; Normalize360 lifts it

  const long double latitude =
      SumMain(s.LatitudeMain, T, false) +
      0.001L * (SumPerturbations(s.LatitudeT0, T, false) +
                T * SumPerturbations(s.LatitudeT1, T, false) +
                1e-4L * T2 * SumPerturbations(s.LatitudeT2, T, false));

  // 385000.57 km: the constant terms of the main problem and of the T^0
  // perturbations, which the table does not carry as rows.
  const long double distance = 385000.57L + SumMain(s.DistanceMain, T, true) +
                               SumPerturbations(s.DistanceT0, T, true) +
                               T * SumPerturbations(s.DistanceT1, T, true) +
                               1e-4L * T2 * SumPerturbations(s.DistanceT2, T, true);

  return {longitude, latitude, distance};
}

ApparentPlace MoonApparentPlace(long double& Longitude, long double& Latitude,
                                long double Distance, double DateTime) {
  // The distance correction is not applied: parallax and semi-diameter use the
  // geometric distance of the series.
  const MoonCorrections corrections = MoonApparentCorrections(DateTime);
  const Nutation nutation = NutationIau2000A(DateTime);
  Longitude += nutation.DeltaPsi / 3600.0L + corrections.Longitude;
  Latitude += corrections.Latitude;
  const EquatorialPosition equatorial =
      EclipticToEquatorial(DateTime, Longitude / kDegreesPerRadian, Latitude / kDegreesPerRadian,
                           nutation.DeltaEpsilon);
  return {equatorial.RightAscension, equatorial.Declination, HorizontalParallax(Distance)};
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
