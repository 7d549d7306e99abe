// The place the program starts with until the user sets another: the observer's
// latitude and longitude in degrees (north and east positive).
#pragma once

inline constexpr long double kDefaultLatitude = 41.2979L;
inline constexpr long double kDefaultLongitude = -73.0756L;
