// The Moon's place in the local sky and its transit, for the almanac, from the same
// apparent place that rise and set use (MoonRaDecParallax of lunar_series.h).
//
// Latitudes are positive north, longitudes positive EAST, angles in degrees.
#pragma once

#include <optional>

#include "astro/coordinates.h"

// Azimuth from north through east and topocentric altitude of the Moon's centre above
// the horizon seen from HeightM metres (TopocentricAltAz of coordinates.h), no refraction.
HorizontalPosition MoonAltAz(double instant, long double Latitude, long double EastLongitude, int HeightM);

// The Moon's upper transit (hour angle zero) within [from, to), if it has one.
std::optional<double> MoonTransit(double from, double to, long double EastLongitude);
