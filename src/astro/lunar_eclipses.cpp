#include "astro/lunar_eclipses.h"

#include <array>
#include <cmath>
#include <tuple>

#include "astro/angles.h"
#include "astro/coordinates.h"
#include "astro/delta_t.h"
#include "astro/geocentric_scene.h"
#include "astro/lunar_phases.h"
#include "astro/moon_ephemeris.h"
#include "astro/vector3.h"

namespace {

constexpr double kMoonRadiusKm = 1737.4;
constexpr double kSunRadiusKm = 696000;  // 959.63" at 1 AU, the Canon's solar semi-diameter
constexpr double kDanjonFactor = 1.01;   // 0.998340 x (1 + 1/85), as the Canon rounds it
constexpr double kJulianDateOfDayZero = 2415018.5;
constexpr double kSecondsPerDay = 86400;
constexpr double kSynodicMonthDays = 29.530588861;
constexpr double kFirstNewMoonDay = 36531.59766;  // mean new moon of lunation 0, 2000-01-06

// East and north offsets of the direction target seen from the direction centre, in
// radians of arc along the sky: the tangent-plane components scaled to the true
// separation, which passes 90 degrees (the shadow seen from a new Moon lies opposite it).
struct SkyOffset {
  double East, North;
};

SkyOffset OffsetOnSky(const Vector3& centre, const Vector3& target) {
  const Vector3 c = (1 / Norm(centre)) * centre, t = (1 / Norm(target)) * target;
  const double ra = std::atan2(c[1], c[0]), cosDec = std::hypot(c[0], c[1]);
  const Vector3 east{-std::sin(ra), std::cos(ra), 0};
  const Vector3 north{-c[2] * std::cos(ra), -c[2] * std::sin(ra), cosDec};
  const double e = static_cast<double>(Dot(t, east)), n = static_cast<double>(Dot(t, north));
  const double sine = std::hypot(e, n), separation = std::atan2(sine, static_cast<double>(Dot(t, c)));
  if (sine == 0) return {separation, 0};
  return {e * separation / sine, n * separation / sine};
}

// The Moon's centre relative to the shadow's axis and the three radii, radians.
struct ShadowSample {
  double East = 0, North = 0, Moon = 0, Umbra = 0, Penumbra = 0;
};

ShadowSample SampleAt(double ttDay, bool fromMoon) {
  const GeocentricScene s = GeocentricSceneAt(ttDay);
  const Vector3 axis = (-1.0L) * s.Seen.Sun;
  const double moonKm = static_cast<double>(Norm(s.Moon)), sunKm = static_cast<double>(Norm(s.Seen.Sun));
  const double moonParallax = std::asin(kEarthEquatorialRadiusKm / moonKm);
  const double sunParallax = std::asin(kEarthEquatorialRadiusKm / sunKm);
  const double sunRadius = std::asin(kSunRadiusKm / sunKm);
  const SkyOffset o = fromMoon ? OffsetOnSky(s.Moon, axis) : OffsetOnSky(axis, s.Moon);
  return {o.East, o.North, std::asin(kMoonRadiusKm / moonKm), kDanjonFactor * moonParallax - sunRadius + sunParallax,
          kDanjonFactor * moonParallax + sunRadius + sunParallax};
}

double TerrestrialToUtc(double ttDay) {
  const double guess = ttDay - static_cast<double>(DeltaTSeconds(DecimalYear(ttDay))) / kSecondsPerDay;
  return ttDay - static_cast<double>(DeltaTSeconds(DecimalYear(guess))) / kSecondsPerDay;
}

// The Moon's passage by the shadow around one full moon: the samples at five instants
// 3 h apart, interpolated. The Moon's path relative to the shadow bends so little in
// 12 h that contacts from five samples agree with those from seven to 0.01 s.
class ShadowPassage {
 public:
  static constexpr int kNodes = 5;
  static constexpr double kStepDays = 3.0 / 24;

  explicit ShadowPassage(double fullMoonTT) : start_(fullMoonTT - (kNodes - 1) / 2 * kStepDays) {
    for (int i = 0; i < kNodes; ++i) samples_[i] = SampleAt(start_ + i * kStepDays, false);
  }
  double Start() const { return start_; }
  double End() const { return start_ + (kNodes - 1) * kStepDays; }

  ShadowSample At(double ttDay) const {
    ShadowSample r;
    const double u = (ttDay - start_) / kStepDays;
    for (int i = 0; i < kNodes; ++i) {
      double w = 1;
      for (int j = 0; j < kNodes; ++j)
        if (j != i) w *= (u - j) / (i - j);
      const ShadowSample& s = samples_[i];
      r.East += w * s.East;
      r.North += w * s.North;
      r.Moon += w * s.Moon;
      r.Umbra += w * s.Umbra;
      r.Penumbra += w * s.Penumbra;
    }
    return r;
  }
  double Separation(double ttDay) const {
    const ShadowSample s = At(ttDay);
    return std::hypot(s.East, s.North);
  }

 private:
  double start_;
  std::array<ShadowSample, kNodes> samples_;
};

// The instant of least separation: a golden-section search over the passage, whose
// separation falls and rises once.
double LeastSeparation(const ShadowPassage& p) {
  const double ratio = (std::sqrt(5.0) - 1) / 2;
  double a = p.Start(), b = p.End();
  double c = b - ratio * (b - a), d = a + ratio * (b - a);
  double fc = p.Separation(c), fd = p.Separation(d);
  while (b - a > 1e-7) {
    if (fc < fd) {
      b = d, d = c, fd = fc;
      c = b - ratio * (b - a), fc = p.Separation(c);
    } else {
      a = c, c = d, fc = fd;
      d = a + ratio * (b - a), fd = p.Separation(d);
    }
  }
  return (a + b) / 2;
}

enum class Contact { Penumbra, UmbraOuter, UmbraInner };

// How far the Moon's limb is from touching the shadow edge of a contact: positive
// outside, negative past the contact.
double ContactGap(const ShadowSample& s, Contact c) {
  const double d = std::hypot(s.East, s.North);
  switch (c) {
    case Contact::Penumbra: return d - s.Penumbra - s.Moon;
    case Contact::UmbraOuter: return d - s.Umbra - s.Moon;
    default: return d - s.Umbra + s.Moon;
  }
}

// The contact between outside (gap > 0) and inside (gap <= 0), by bisection to 0.01 s.
double ContactInstant(const ShadowPassage& p, Contact c, double outside, double inside) {
  while (std::fabs(inside - outside) > 1e-7) {
    const double mid = (outside + inside) / 2;
    (ContactGap(p.At(mid), c) > 0 ? outside : inside) = mid;
  }
  return (outside + inside) / 2;
}

std::optional<LunarEclipse> EclipseOfPassage(const ShadowPassage& p) {
  const double greatest = LeastSeparation(p);
  const ShadowSample g = p.At(greatest);
  const double d = std::hypot(g.East, g.North);
  LunarEclipse e;
  e.PenumbralMagnitude = (g.Penumbra + g.Moon - d) / (2 * g.Moon);
  if (e.PenumbralMagnitude <= 0) return std::nullopt;
  e.UmbralMagnitude = (g.Umbra + g.Moon - d) / (2 * g.Moon);
  e.Kind = e.UmbralMagnitude >= 1  ? LunarEclipseKind::Total
           : e.UmbralMagnitude > 0 ? LunarEclipseKind::Partial
                                   : LunarEclipseKind::Penumbral;
  const double moonKm = kMoonRadiusKm / std::sin(g.Moon);
  e.Gamma = std::copysign(std::sin(d) * moonKm / kEarthEquatorialRadiusKm, g.North);
  e.Greatest = TerrestrialToUtc(greatest);
  const auto contacts = [&](Contact c) {
    return std::pair{TerrestrialToUtc(ContactInstant(p, c, p.Start(), greatest)),
                     TerrestrialToUtc(ContactInstant(p, c, p.End(), greatest))};
  };
  std::tie(e.P1, e.P4) = contacts(Contact::Penumbra);
  if (e.Kind != LunarEclipseKind::Penumbral) std::tie(e.U1, e.U4) = contacts(Contact::UmbraOuter);
  if (e.Kind == LunarEclipseKind::Total) std::tie(e.U2, e.U3) = contacts(Contact::UmbraInner);
  return e;
}

// Whether the full moon of lunation k can be eclipsed: the Moon's mean argument of
// latitude lies near a node (Meeus, Astronomical Algorithms, ch. 54, allows |sin F| up to
// 0.36; the margin covers the true Moon's departure from its mean place).
bool NearNode(double k) {
  const double fullMoon = k + 0.5;
  const double F = (160.7108 + 390.67050274 * fullMoon) * static_cast<double>(kRadiansPerDegree);
  return std::fabs(std::sin(F)) < 0.38;
}

}  // namespace

const char* LunarEclipseKindName(LunarEclipseKind kind) {
  switch (kind) {
    case LunarEclipseKind::Penumbral: return "penumbral";
    case LunarEclipseKind::Partial: return "partial";
    default: return "total";
  }
}

EarthShadow EarthShadowAt(double utcDay) {
  const ShadowSample s = SampleAt(static_cast<double>(TerrestrialTimeDay(utcDay)), true);
  const auto deg = [](double rad) { return rad * static_cast<double>(kDegreesPerRadian); };
  return {deg(s.East), deg(s.North), deg(s.Moon), deg(s.Umbra), deg(s.Penumbra)};
}

std::vector<LunarEclipse> LunarEclipsesBetween(double fromUtc, double toUtc) {
  const double from = std::fmax(fromUtc, static_cast<double>(kEphemerisFirstDay));
  const double to = std::fmin(toUtc, static_cast<double>(kEphemerisEndDay));
  std::vector<LunarEclipse> found;
  if (!(from < to)) return found;
  const double firstK = std::floor((from - kFirstNewMoonDay) / kSynodicMonthDays) - 1;
  const double lastK = std::ceil((to - kFirstNewMoonDay) / kSynodicMonthDays) + 1;
  for (double k = firstK; k <= lastK; ++k) {
    if (!NearNode(k)) continue;
    const ShadowPassage passage(PhaseJulianDate(k + 0.5) - kJulianDateOfDayZero);
    const std::optional<LunarEclipse> e = EclipseOfPassage(passage);
    if (e && e->Greatest >= from && e->Greatest < to) found.push_back(*e);
  }
  return found;
}

std::optional<LunarEclipse> LunarEclipseAt(double utcDay) {
  // No eclipse lasts longer than 7 hours, so its greatest lies within 0.3 days.
  for (const LunarEclipse& e : LunarEclipsesBetween(utcDay - 0.3, utcDay + 0.3))
    if (e.P1 <= utcDay && utcDay <= e.P4) return e;
  return std::nullopt;
}

std::optional<LunarEclipse> AdjacentLunarEclipse(double utcDay, bool forward) {
  // A year of lunations at a time: every eclipse season brings at least one eclipse.
  constexpr double kChunkDays = 366;
  const double first = static_cast<double>(kEphemerisFirstDay), end = static_cast<double>(kEphemerisEndDay);
  if (forward) {
    for (double from = std::fmax(utcDay, first); from < end; from += kChunkDays)
      for (const LunarEclipse& e : LunarEclipsesBetween(from, from + kChunkDays))
        if (e.Greatest > utcDay) return e;
  } else {
    for (double to = std::fmin(utcDay, end); to > first; to -= kChunkDays) {
      const std::vector<LunarEclipse> chunk = LunarEclipsesBetween(to - kChunkDays, to);
      for (auto e = chunk.rbegin(); e != chunk.rend(); ++e)
        if (e->Greatest < utcDay) return *e;
    }
  }
  return std::nullopt;
}
