// The Moon as seen from a place on the Earth: the values of NASA's geocentric
// columns that change with the observer (the sub-observer point, the axis angle,
// the apparent diameter, the phase), the position angle of the bright limb and the
// parallactic angle, for the topocentric Moon with its light time and the
// observer's diurnal aberration.
//
// Each of Elon ... Phase is the hour's geocentric value plus the change that the
// observer's displacement from the Earth's centre makes in the program's model (the
// IAU rotation of moon_rotation.h, the place of moon_ephemeris.h), so that the same
// function serves NASA's rows and the program's own values, and an observer at the
// Earth's centre gets the geocentric values exactly.
#pragma once

#include "astro/moon_hour_values.h"
#include "astro/vector3.h"

struct ObserverPlace {
  long double LatitudeDeg = 0;   // geodetic (WGS84), north positive
  long double LongitudeDeg = 0;  // east positive
  long double ElevationM = 0;    // above the ellipsoid, metres
};

// The observer in the GCRS (J2000 equator and equinox), km and km per day, and the
// direction of the zenith (unit). The default is the Earth's centre, which has none.
struct ObserverState {
  Vector3 Position{};
  Vector3 Velocity{};
  Vector3 Zenith{};
};

// The place at a UTC date-time (day 0 = 1899-12-30 00:00): WGS84 geodetic to
// terrestrial, turned by the apparent sidereal time (UT1 taken as UTC, no polar
// motion), IAU 2000A nutation and IAU 2006 precession (ERFA's eraGd2gc, eraC2t06a).
ObserverState ObserverGcrs(long double utcDay, const ObserverPlace& place);

struct TopocentricMoonValues {
  long double Elon = 0;        // selenographic longitude of the sub-observer point, degrees, east positive
  long double Elat = 0;        // selenographic latitude of the sub-observer point, degrees
  long double AxisA = 0;       // position angle of the north pole from J2000 celestial north toward east, degrees
  long double Diam = 0;        // apparent diameter, arc seconds
  long double Phase = 0;       // illuminated fraction of the disc, percent
  long double BrightLimb = 0;  // position angle of the bright limb's midpoint, J2000, degrees [0, 360)
  long double Zenith = 0;      // position angle of the zenith, J2000 (the parallactic angle), degrees [0, 360);
                               // 0 at the Earth's centre
};

// The values for the observer at the hour utcDay whose geocentric values are geocentric.
TopocentricMoonValues TopocentricMoon(const MoonHourValues& geocentric, long double utcDay,
                                      const ObserverState& observer);
TopocentricMoonValues TopocentricMoon(const MoonHourValues& geocentric, long double utcDay,
                                      const ObserverPlace& place);

// The geocentric values with the observer's in their place: what the drawn Moon
// needs to show the Moon from the place (the sub-solar point is the same for all).
MoonHourValues SeenFromPlace(MoonHourValues geocentric, const TopocentricMoonValues& place);
