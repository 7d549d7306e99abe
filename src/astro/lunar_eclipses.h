// Lunar eclipses of 1600 ... 3999: the Earth's shadow at an instant and the search
// for every eclipse with its magnitudes and contacts.
//
// The shadow follows Danjon's rule as NASA's Five Millennium Canon of Lunar Eclipses
// (Espenak & Meeus, NASA/TP-2009-214172) applies it: the Earth's radius enlarged by
// 1/85 for its atmosphere and scaled by 0.998340 for its flattening, so that
//   penumbra radius = 1.01 pi_moon + s_sun + pi_sun,  umbra radius = 1.01 pi_moon - s_sun + pi_sun
// (pi: equatorial horizontal parallax, s: semi-diameter). The Moon is the program's
// ELP 2000-85 series with its light-time place, the Sun VSOP87B with its aberration,
// both geocentric on the J2000 equator; times are UTC through the program's Delta T
// (delta_t.h). Greatest eclipse is the instant the Moon's centre passes closest to
// the shadow's axis.
#pragma once

#include <optional>
#include <vector>

enum class LunarEclipseKind { Penumbral, Partial, Total };

// "penumbral", "partial" or "total".
const char* LunarEclipseKindName(LunarEclipseKind kind);

// The Earth's shadow seen from the Earth's centre at one instant, angles in degrees
// on the sky. The shadow's centre is given relative to the Moon's centre, east and
// north on the J2000 equator, so that it can be laid on a picture with J2000 north up.
struct EarthShadow {
  double CentreEastDeg = 0, CentreNorthDeg = 0;
  double MoonRadiusDeg = 0, UmbraRadiusDeg = 0, PenumbraRadiusDeg = 0;
};

// The shadow at a UTC date-time (day 0 = 1899-12-30 00:00) of 1600 ... 3999.
EarthShadow EarthShadowAt(double utcDay);

// One eclipse; instants are UTC date-times. Magnitudes are the fractions of the
// Moon's diameter inside the umbra and the penumbra at greatest eclipse (negative
// umbral magnitude: the Moon misses the umbra by that much). Gamma is the Moon's
// least distance from the shadow's axis in Earth equatorial radii, positive when the
// Moon passes north of it.
struct LunarEclipse {
  LunarEclipseKind Kind = LunarEclipseKind::Penumbral;
  double Greatest = 0;
  double UmbralMagnitude = 0, PenumbralMagnitude = 0, Gamma = 0;
  double P1 = 0, P4 = 0;               // penumbral contacts: the eclipse's start and end
  std::optional<double> U1, U4;        // umbral contacts of a partial or total eclipse
  std::optional<double> U2, U3;        // totality
};

// Every eclipse whose greatest eclipse lies in [fromUtc, toUtc), in time order; the
// span is clipped to 1600-01-01 ... 3999-12-31.
std::vector<LunarEclipse> LunarEclipsesBetween(double fromUtc, double toUtc);

// The eclipse in progress at utcDay (P1 <= utcDay <= P4), if any.
std::optional<LunarEclipse> LunarEclipseAt(double utcDay);

// The first eclipse whose greatest eclipse lies strictly after (forward) or strictly
// before utcDay, within 1600 ... 3999.
std::optional<LunarEclipse> AdjacentLunarEclipse(double utcDay, bool forward);
