#include "astro/coordinates.h"

#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "astro/angle_multiples.h"
#include "astro/angles.h"
#include "astro_tables.h"

namespace {


// Wraps v into [0, unit] the way repeated adding or subtracting of whole units
// would (a positive whole multiple stays at `unit`), but in bounded time: fmod is
// exact, so the result is the same for every value that loop could finish with.
inline long double WrapInto(long double v, long double unit) {
  if (v >= 0 && v <= unit) return v;
  long double r = ExactFmod(v, unit);  // NaN for infinite or NaN input
  if (r < 0) {
    r += unit;
  } else if (r == 0) {
    r = v > 0 ? unit : 0.0L;
  }
  return r;
}

long double Frac(long double v) { return v - std::trunc(v); }

}  // namespace

// ---- Angle helpers ------------------------------------------------------------------

long double SinDeg(long double deg) { return std::sin(deg * kRadiansPerDegree); }
long double CosDeg(long double deg) { return std::cos(deg * kRadiansPerDegree); }
long double TanDeg(long double deg) { return std::tan(deg * kRadiansPerDegree); }
long double ArcSinDeg(long double v) { return std::asin(v) * kDegreesPerRadian; }
long double ArcTan2Deg(long double y, long double x) { return std::atan2(y, x) * kDegreesPerRadian; }

double Atan2Positive(double y, double x) {
  constexpr double kTwoPi = 2 * std::numbers::pi;
  if (std::fabs(x) < 5e-12) return y >= 0 ? std::numbers::pi / 2 : 3 * std::numbers::pi / 2;
  const double a = std::atan(y / x);
  double r = a;
  if (x < 0) {
    r = a + std::numbers::pi;
  } else if (y < 0) {
    r = a + kTwoPi;
  }
  // A direction a hair below the positive x axis rounds a + 2*pi up to 2*pi itself;
  // keep it just below a full turn.
  return r >= kTwoPi ? std::nextafter(kTwoPi, 0.0) : r;
}

long double Normalize360(long double v) { return WrapInto(v, 360.0L); }
long double NormalizeUnit(long double v) { return WrapInto(v, 1.0L); }

// ---- Nutation -----------------------------------------------------------------------

Nutation NutationIau1980(double instant) {
  const long double T = JulianCenturiesJ2000(instant);
  const long double T2 = T * T, T3 = T2 * T;
  // Delaunay arguments in degrees (Meeus, chapter 22), reduced to one turn, as
  // multiples in radians.
  using Multiples = AngleMultiples<kNutationIau1980MaxMultiplier>;
  const auto multiples = [](long double degrees) {
    return Multiples(static_cast<double>(Normalize360(degrees) / kSeriesDegreesPerRadian));
  };
  const Multiples D = multiples(297.85036L + 445267.11148L * T - 0.0019142L * T2 + T3 / 189474.0L);
  const Multiples M = multiples(357.52772L + 35999.05034L * T - 0.0001603L * T2 - T3 / 300000.0L);
  const Multiples Mp = multiples(134.96298L + 477198.867398L * T + 0.0086972L * T2 + T3 / 56250.0L);
  const Multiples F = multiples(93.27191L + 483202.017538L * T - 0.0036825L * T2 + T3 / 327270.0L);
  const Multiples Om = multiples(125.04452L - 1934.136261L * T + 0.0020708L * T2 + T3 / 450000.0L);
  const auto Td = static_cast<double>(T);
  double dpsi = 0, deps = 0;
  for (const NutationIau1980Term& t : kNutationIau1980Terms) {
    const UnitVector u = Rotate(Rotate(Rotate(Mp[t.L], M[t.Lp]), Rotate(F[t.F], D[t.D])), Om[t.Om]);
    dpsi += u.Sin * (t.A + 0.1 * t.At * Td);
    deps += u.Cos * (t.B + 0.1 * t.Bt * Td);
  }
  return {dpsi / 10000.0L, deps / 10000.0L};
}

std::array<long double, 14> FundamentalArguments(double instant) {
  const long double T = JulianCenturiesJ2000(instant);
  const long double T2 = T * T, T3 = T2 * T, T4 = T3 * T;
  return {
      908103.259872L + 538101628.688982L * T,   // Mercury
      655127.28306L + 210664136.433548L * T,    // Venus
      361679.244588L + 129597742.283429L * T,   // Earth
      1279558.798488L + 68905077.493988L * T,   // Mars
      123665.467464L + 10925660.377991L * T,    // Jupiter
      180278.79948L + 4399609.855732L * T,      // Saturn
      1130598.018396L + 1542481.193933L * T,    // Uranus
      1095655.195728L + 786550.320744L * T,     // Neptune
      5028.82L * T + 1.112022L * T2,            // general precession in longitude pA
      485868.249036L + 1717915923.2178L * T + 31.8792L * T2 + 0.051635L * T3 - 0.0002447L * T4,
      1287104.79305L + 129596581.0481L * T - 0.5532L * T2 + 0.000136L * T3 - 0.00001149L * T4,
      335779.526232L + 1739527262.8478L * T - 12.7512L * T2 - 0.001037L * T3 + 0.00000417L * T4,
      1072260.70369L + 1602961601.209L * T - 6.3706L * T2 + 0.006593L * T3 - 0.00003169L * T4,
      450160.398036L - 6962890.5431L * T + 7.4722L * T2 + 0.007702L * T3 - 0.00005939L * T4,
  };
}

namespace {

constexpr int kNutationSpan = 2 * kNutationIau2000AMaxMultiplier + 1;

// The multiples of the fourteen arguments in one table: argument k's multiple m is
// at k * kNutationSpan + kNutationIau2000AMaxMultiplier + m.
using NutationMultiples = std::array<UnitVector, 14 * kNutationSpan>;

// A term of the series with only its nonzero multipliers, as places in the table:
// a term combines a few of the fourteen arguments, so the sum rotates by those
// alone instead of testing all fourteen. The amplitudes are the table's integers,
// exactly, as doubles.
struct SparseNutationTerm {
  std::uint8_t Count = 0;
  std::array<std::uint16_t, 14> Multiple{};
  double A, At, Ac, B, Bt, Bs;
};

// The table's terms smallest first, so that the small ones are not lost against
// the large ones in the sum. A term without any multiplier starts from the zeroth
// multiple of the first argument, {1, 0}.
std::vector<SparseNutationTerm> SparseNutationTerms() {
  std::vector<SparseNutationTerm> terms;
  terms.reserve(kNutationIau2000ATerms.size());
  for (auto it = kNutationIau2000ATerms.rbegin(); it != kNutationIau2000ATerms.rend(); ++it) {
    SparseNutationTerm s{.A = static_cast<double>(it->A), .At = static_cast<double>(it->At),
                         .Ac = static_cast<double>(it->Ac), .B = static_cast<double>(it->B),
                         .Bt = static_cast<double>(it->Bt), .Bs = static_cast<double>(it->Bs)};
    s.Multiple[0] = kNutationIau2000AMaxMultiplier;
    for (int k = 0; k < 14; ++k)
      if (it->Multipliers[k] != 0)
        s.Multiple[s.Count++] =
            static_cast<std::uint16_t>(k * kNutationSpan + kNutationIau2000AMaxMultiplier + it->Multipliers[k]);
    terms.push_back(s);
  }
  return terms;
}

// Each argument reduced to one turn (fmod is exact) and taken in radians; the
// series is then summed in double, its units of 0.1 microarcsecond scaled once.
NutationMultiples MultiplesOf(const std::array<long double, 14>& arcseconds) {
  NutationMultiples multiples;
  for (std::size_t k = 0; k < arcseconds.size(); ++k)
    FillMultiples<kNutationIau2000AMaxMultiplier>(
        static_cast<double>(ExactFmod(arcseconds[k], 1296000.0L) / 3600.0L / kSeriesDegreesPerRadian),
        &multiples[k * kNutationSpan]);
  return multiples;
}

Nutation SummedNutationIau2000A(double instant) {
  static const std::vector<SparseNutationTerm> kTerms = SparseNutationTerms();
  const auto T = static_cast<double>(JulianCenturiesJ2000(instant));
  const NutationMultiples multiples = MultiplesOf(FundamentalArguments(instant));
  double dpsi = 0, deps = 0;
  for (const SparseNutationTerm& t : kTerms) {
    // A turn from {1, 0} gives the turn exactly: the first multiple is the start.
    UnitVector u = multiples[t.Multiple[0]];
    for (int j = 1; j < t.Count; ++j) u = Rotate(u, multiples[t.Multiple[j]]);
    dpsi += u.Sin * (t.A + t.At * T) + u.Cos * t.Ac;
    deps += u.Cos * (t.B + t.Bt * T) + u.Sin * t.Bs;
  }
  return {dpsi / 1e7L, deps / 1e7L};
}

}  // namespace

Nutation NutationIau2000A(double instant) {
  // One instant asks for it several times in a row (the Moon's apparent place, the
  // apparent sidereal time and the observer's frame of one record), and the series
  // is the costliest part of each: the last value is kept, per thread.
  thread_local double lastInstant = std::numeric_limits<double>::quiet_NaN();
  thread_local Nutation last{};
  if (!(instant == lastInstant)) {
    last = SummedNutationIau2000A(instant);
    lastInstant = instant;
  }
  return last;
}

// ---- Obliquity and sidereal time ---------------------------------------------------

long double MeanObliquity(double instant) {
  const long double T = JulianCenturiesJ2000(instant);
  // IAU 2006 (Hilton et al. 2006), arcseconds.
  const long double arcsec =
      84381.406L + T * (-46.836769L + T * (-0.0001831L + T * (0.0020034L +
                   T * (-0.000000576L + T * -0.0000000434L))));
  return arcsec / 3600.0L;
}

long double EarthRotationAngle(double instant) {
  const long double d = DateTimeToJulianDate(instant) - 2451545.0L;
  return Normalize360(360.0L * (0.779057273264L + 1.00273781191135448L * d));
}

long double GreenwichMeanSiderealTime(double instant) {
  const long double T = JulianCenturiesJ2000(instant);
  // IAU 2006 polynomial part (Capitaine et al. 2003), arcseconds.
  const long double arcsec =
      0.014506L + T * (4612.156534L + T * (1.3915817L + T * (-0.00000044L +
                  T * (-0.000029956L + T * -0.0000000368L))));
  return EarthRotationAngle(instant) + arcsec / 3600.0L;
}

long double EquationOfEquinoxes(bool UseIau2000A, double instant) {
  const Nutation n = UseIau2000A ? NutationIau2000A(instant) : NutationIau1980(instant);
  const long double epsilon = MeanObliquity(instant) + n.DeltaEpsilon / 3600.0L;
  return n.DeltaPsi * CosDeg(epsilon) / 15.0L;
}

long double GreenwichApparentSiderealTime(bool UseIau2000A, double instant) {
  return GreenwichMeanSiderealTime(instant) +
         EquationOfEquinoxes(UseIau2000A, instant) / 3600.0L * 15.0L;
}

long double HourAngle(bool UseIau2000A, double instant, long double RightAscensionRad,
                      long double WestLongitudeRad) {
  return GreenwichApparentSiderealTime(UseIau2000A, instant) / kSeriesDegreesPerRadian -
         RightAscensionRad - WestLongitudeRad;
}

long double AltitudeFromHourAngle(long double HourAngleRad, long double DeclinationRad,
                                  long double LatitudeRad) {
  return std::asin(std::sin(LatitudeRad) * std::sin(DeclinationRad) +
                   std::cos(LatitudeRad) * std::cos(DeclinationRad) * std::cos(HourAngleRad));
}

// ---- Coordinates --------------------------------------------------------------------

EquatorialPosition EclipticToEquatorial(double instant, long double LongitudeRad,
                                        long double LatitudeRad,
                                        long double DeltaEpsilonArcsec) {
  const long double e = (MeanObliquity(instant) + DeltaEpsilonArcsec / 3600.0L) / kSeriesDegreesPerRadian;
  const long double y =
      std::sin(LongitudeRad) * std::cos(e) - std::tan(LatitudeRad) * std::sin(e);
  const long double ra = Atan2Positive(static_cast<double>(y),
                                       static_cast<double>(std::cos(LongitudeRad)));
  const long double dec = std::asin(std::sin(LatitudeRad) * std::cos(e) +
                                    std::cos(LatitudeRad) * std::sin(e) * std::sin(LongitudeRad));
  return {ra, dec};
}

long double HorizontalParallax(long double DistanceKm) {
  return std::asin(kEarthEquatorialRadiusKm / DistanceKm);
}

const char* CompassPoint(long double AzimuthDeg) {
  static const char* const kPoints[8] = {"N", "NE", "E", "SE", "S", "SW", "W", "NW"};
  long double a = AzimuthDeg;
  if (a < 0) a += 360;
  for (int i = 0; i < 8; ++i)
    if (a < 22.5L + 45.0L * i) return kPoints[i];
  return "N";
}

// ---- Simple sidereal time on the day-number calendar -------------------------------

long double GreenwichSiderealDegrees(const DayTimeRecord& r) {
  if (!IsValidDayTime(r)) return -1;
  const double jd = static_cast<double>(DayNumberToJulianDate(r.Day) + r.Second / 86400.0L);
  const double d = jd - 2451545.0;
  const double T = d / 36525.0;
  // Meeus (12.4), mean sidereal time at Greenwich.
  const double theta = static_cast<double>(280.46061837L + 360.98564736629L * d +
                                           0.000387933L * T * T - T * T * T / 38710000.0L);
  long double deg = Frac(theta / 360.0L) * 360.0L;
  if (deg < 0) deg += 360;
  return deg;
}

long double SiderealDateTime(double instant) {
  const DayTimeRecord r{DateTimeToDayNumber(instant), DateTimeToSecondOfDay(instant)};
  return std::trunc(static_cast<long double>(instant)) + GreenwichSiderealDegrees(r) / 360.0L;
}

long double LocalHourAngle(long double RightAscensionHours, long double EastLongitudeDeg,
                           double instant) {
  long double h =
      (Frac(SiderealDateTime(instant)) * 24 + EastLongitudeDeg / 15 - RightAscensionHours) * 15;
  if (h < 0) h += 360;
  return h;
}

HorizontalPosition TopocentricAltAz(double instant, long double RightAscensionDeg,
                                    long double DeclinationDeg, long double ParallaxDeg,
                                    long double LatitudeDeg, long double EastLongitudeDeg,
                                    std::int32_t Height) {
  const long double H = LocalHourAngle(RightAscensionDeg / 15, EastLongitudeDeg, instant);
  const long double sinLat = SinDeg(LatitudeDeg), cosLat = CosDeg(LatitudeDeg);
  const long double sinH = SinDeg(H), cosH = CosDeg(H);
  long double azimuth =
      ArcTan2Deg(sinH, cosH * sinLat - TanDeg(DeclinationDeg) * cosLat) + 180;
  const long double geocentric =
      ArcSinDeg(sinLat * SinDeg(DeclinationDeg) + cosLat * CosDeg(DeclinationDeg) * cosH);
  // The observer stands one Earth radius off the centre: the parallax lowers the body.
  long double altitude = geocentric - ArcSinDeg(SinDeg(ParallaxDeg) * CosDeg(geocentric));
  // Height of the observer in metres (0.0195 degree per square root of a metre).
  if (Height >= 0) {
    altitude -= 0.0195L * std::sqrt(static_cast<long double>(Height));
  } else {
    altitude += 0.0195L * std::sqrt(-static_cast<long double>(Height));
  }
  if (azimuth < 0) azimuth += 360;
  return {altitude, azimuth};
}
