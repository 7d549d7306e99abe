#include "astro/selenographic_sun.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kDeg = std::numbers::pi / 180;

}  // namespace

double AltitudeOverPlaceDeg(double latDeg, double lonDeg, double subLatDeg, double subLonDeg) {
  const double lat = latDeg * kDeg, slat = subLatDeg * kDeg, dlon = (lonDeg - subLonDeg) * kDeg;
  const double s = std::sin(lat) * std::sin(slat) + std::cos(lat) * std::cos(slat) * std::cos(dlon);
  return std::asin(std::clamp(s, -1.0, 1.0)) / kDeg;
}

SunLight SunLightOf(double sunAltitudeDeg) {
  if (sunAltitudeDeg < 0) return SunLight::Dark;
  return sunAltitudeDeg <= kTerminatorSunAltitudeDeg ? SunLight::Terminator : SunLight::Sunlit;
}

const char* SunLightText(SunLight light) {
  switch (light) {
    case SunLight::Dark: return "in darkness";
    case SunLight::Terminator: return "on the terminator";
    case SunLight::Sunlit: return "sunlit";
  }
  return "";
}

double ColongitudeDeg(double slonDeg) {
  double c = std::fmod(90.0 - slonDeg, 360.0);
  if (c < 0) c += 360.0;
  return c < 360.0 ? c : 0.0;  // a tiny negative remainder rounds up to a full turn
}
