#include "astro/topocentric_moon.h"

#include <cmath>

#include "astro/angles.h"
#include "astro/coordinates.h"
#include "astro/delta_t.h"
#include "astro/moon_rotation.h"
#include "astro/precession.h"

namespace {

// WGS84 (as ERFA's eraGd2gc with ERFA_WGS84).
constexpr long double kWgs84EquatorKm = 6378.137L;
constexpr long double kWgs84Flattening = 1 / 298.257223563L;
constexpr long double kEarthTurnsPerDay = 1.00273781191135448L;  // the Earth rotation angle's rate
constexpr long double kLightKmPerDay = 299792.458L * 86400;
constexpr long double kMoonRadiusKm = 1737.4L;
constexpr long double kJ2000Day = 36526.5L;

// The geodetic place in the frame of the true equator and equinox of date with
// x toward the meridian of Greenwich: its position (km) and the zenith.
struct TerrestrialPlace {
  Vector3 Position, Zenith;
};

TerrestrialPlace Terrestrial(const ObserverPlace& place) {
  const double lat = place.LatitudeDeg * kRadiansPerDegree, lon = place.LongitudeDeg * kRadiansPerDegree;
  const double w = 1 - kWgs84Flattening;
  const double c = 1 / std::sqrt(std::pow(std::cos(lat), 2) + w * w * std::pow(std::sin(lat), 2));
  const double heightKm = place.ElevationM / 1000;
  const double across = (kWgs84EquatorKm * c + heightKm) * std::cos(lat);
  return {{across * std::cos(lon), across * std::sin(lon), static_cast<double>((kWgs84EquatorKm * c * w * w + heightKm) * std::sin(lat))},
          FromSpherical(lon, lat)};
}

// The true equator and equinox of date to the mean one: eraNumat's matrix, transposed.
Vector3 MeanOfDate(const Vector3& trueOfDate, double instant) {
  const Nutation n = NutationIau2000A(instant);
  const long double eps = MeanObliquity(instant) * kRadiansPerDegree;
  const long double dpsi = n.DeltaPsi / kArcsecondsPerDegree * kRadiansPerDegree;
  const long double deps = n.DeltaEpsilon / kArcsecondsPerDegree * kRadiansPerDegree;
  Matrix3 m{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
  TurnX(static_cast<double>(eps), m);
  TurnZ(static_cast<double>(-dpsi), m);
  TurnX(static_cast<double>(-(eps + deps)), m);
  return TransposeTimes(m, trueOfDate);
}

// Position angle of direction s at direction u, from the J2000 north toward east,
// degrees in [0, 360); the great circle from u toward s leaves u in that direction.
long double PositionAngle(const Vector3& s, const Vector3& u) {
  const long double east = -u[1] * s[0] + u[0] * s[1];
  const long double north = -u[2] * (u[0] * s[0] + u[1] * s[1]) + (u[0] * u[0] + u[1] * u[1]) * s[2];
  const long double angle = std::atan2(east, north) * kDegreesPerRadian;
  return angle < 0 ? angle + 360 : angle;
}

long double DiamArcsec(long double distanceKm) {
  return 2 * std::asin(kMoonRadiusKm / distanceKm) * kDegreesPerRadian * kArcsecondsPerDegree;
}

// The Moon's orientation when the light that reaches ttDay from distance km left it.
MoonOrientation OrientationSeen(long double ttDay, long double distance) {
  return MoonOrientationAt(ttDay - distance / kLightKmPerDay);
}

// The values that follow from the Moon's place moon (km, from the observer) with
// the Sun's direction from the Moon, sun, and the Moon's orientation o as it is seen.
TopocentricMoonValues Appearance(const Vector3& moon, const Vector3& sun, const MoonOrientation& o) {
  const long double distance = Norm(moon);
  const Vector3 u = (1 / distance) * moon;
  const Vector3 toObserver = MoonBodyMatrix(o) * ((-1.0L) * u);
  TopocentricMoonValues v;
  v.Elon = std::atan2(toObserver[1], toObserver[0]) * kDegreesPerRadian;
  v.Elat = std::asin(toObserver[2]) * kDegreesPerRadian;
  v.AxisA = PositionAngle(FromSpherical(o.PoleRa, o.PoleDec), u);
  v.Diam = DiamArcsec(distance);
  v.Phase = 50 * (1 - Dot(u, sun));
  v.BrightLimb = PositionAngle(sun, u);
  return v;
}

long double WrapTurn(long double deg) { return deg < 0 ? deg + 360 : deg >= 360 ? deg - 360 : deg; }

}  // namespace

ObserverState ObserverGcrs(long double utcDay, const ObserverPlace& place) {
  const auto instant = static_cast<double>(utcDay);
  const TerrestrialPlace t = Terrestrial(place);
  const Matrix3 toDate = RotationZ(-GreenwichApparentSiderealTime(true, instant) * kRadiansPerDegree);
  const Vector3 position = toDate * t.Position;
  const double spin = 2 * kPi * kEarthTurnsPerDay;  // radians a day
  const Vector3 velocity{-spin * position[1], spin * position[0], 0};
  const Matrix3 precession = PrecessionMatrix((TerrestrialTimeDay(utcDay) - kJ2000Day) / 36525);
  const auto toGcrs = [&](const Vector3& v) { return TransposeTimes(precession, MeanOfDate(v, instant)); };
  return {toGcrs(position), toGcrs(velocity), toGcrs(toDate * t.Zenith)};
}

TopocentricMoonValues TopocentricMoon(const MoonHourValues& g, long double utcDay, const ObserverState& observer) {
  const long double tt = TerrestrialTimeDay(utcDay);
  const Vector3 geocentric = g.Dist * FromSpherical(g.RA * kDegreesPerHour * kRadiansPerDegree,
                                                    g.Dec * kRadiansPerDegree);
  // The centre's orientation serves the Sun's direction and the values at the centre.
  const MoonOrientation centre = OrientationSeen(tt, g.Dist);
  const Vector3 sun = TransposeTimes(MoonBodyMatrix(centre),
                                     FromSpherical(g.Slon * kRadiansPerDegree, g.Slat * kRadiansPerDegree));
  // The observer's light time differs from the centre's by 21 ms at most, in which
  // the Moon moves 0.01" across the sky: the Moon's place is the centre's one.
  const Vector3 fromObserver = geocentric - observer.Position;
  const Vector3 seen = fromObserver + (Norm(fromObserver) / kLightKmPerDay) * observer.Velocity;
  const TopocentricMoonValues atCentre = Appearance(geocentric, sun, centre),
                              here = Appearance(seen, sun, OrientationSeen(tt, Norm(seen)));
  TopocentricMoonValues v;
  v.Elon = std::remainder(g.Elon + std::remainder(here.Elon - atCentre.Elon, 360.0L), 360.0L);
  v.Elat = g.Elat + (here.Elat - atCentre.Elat);
  v.AxisA = WrapTurn(g.AxisA + std::remainder(here.AxisA - atCentre.AxisA, 360.0L));
  v.Diam = g.Diam + (here.Diam - atCentre.Diam);
  v.Phase = g.Phase + (here.Phase - atCentre.Phase);
  v.BrightLimb = here.BrightLimb;
  v.Zenith = PositionAngle(observer.Zenith, (1 / Norm(seen)) * seen);
  return v;
}

TopocentricMoonValues TopocentricMoon(const MoonHourValues& geocentric, long double utcDay,
                                      const ObserverPlace& place) {
  return TopocentricMoon(geocentric, utcDay, ObserverGcrs(utcDay, place));
}

MoonHourValues SeenFromPlace(MoonHourValues g, const TopocentricMoonValues& place) {
  g.Elon = place.Elon;
  g.Elat = place.Elat;
  g.AxisA = place.AxisA;
  g.Diam = place.Diam;
  g.Phase = place.Phase;
  return g;
}
