// Geocentric position of the Moon from the truncated ELP-2000/82 series of
// Meeus, Astronomical Algorithms (2nd ed.), Tables 47.A and 47.B, converted to
// equatorial coordinates with one fixed obliquity (84381.406"). The position is
// geometric: no nutation, aberration or light time.
#pragma once

// Seven values of the Moon's place at one instant.
struct MoonPositionRecord {
  long double RightAscension;      // degrees, 0 <= value < 360
  long double Declination;         // degrees
  long double HorizontalParallax;  // degrees
  long double SemiDiameter;        // degrees
  long double Distance;            // km, centre of the Earth to centre of the Moon
  long double EclipticLongitude;   // radians, mean equinox of date, not reduced to a turn
  long double EclipticLatitude;    // radians
};

// The Moon at a UTC date-time. Allocates nothing.
MoonPositionRecord MoonPosition(double instant);

// Aberration and light-time corrections to the Moon's geometric place.
struct MoonCorrections {
  long double Longitude;  // degrees
  long double Latitude;   // degrees
  long double Distance;   // km
};

MoonCorrections MoonApparentCorrections(double instant);
