// The orientation follows the IAU convention of selenographic coordinates used by
// NASA's tables: the pole's direction is carried to the screen by the sub-Earth
// point, then the picture turns by the axis position angle (counterclockwise on a
// screen with east to the left).
#include "render/moon_globe.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double kDeg = std::numbers::pi / 180;

GlobeVector Cross(const GlobeVector& a, const GlobeVector& b) {
  return {a.Y * b.Z - a.Z * b.Y, a.Z * b.X - a.X * b.Z, a.X * b.Y - a.Y * b.X};
}

GlobeVector Unit(const GlobeVector& v) {
  const double n = std::sqrt(Dot(v, v));
  return {v.X / n, v.Y / n, v.Z / n};
}

}  // namespace

GlobeVector SelenographicVector(double lonDeg, double latDeg) {
  const double lon = lonDeg * kDeg, lat = latDeg * kDeg;
  return {std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};
}

MoonGlobe::MoonGlobe(double elonDeg, double elatDeg, double axisDeg, double slonDeg, double slatDeg)
    : SunDir(SelenographicVector(slonDeg, slatDeg)), ViewDir(SelenographicVector(elonDeg, elatDeg)) {
  // Before the turn by the axis angle the pole's projection points straight up.
  const GlobeVector pole{0, 0, 1};
  const double k = Dot(pole, ViewDir);
  const GlobeVector up = Unit({pole.X - k * ViewDir.X, pole.Y - k * ViewDir.Y, pole.Z - k * ViewDir.Z});
  const GlobeVector right = Cross(up, ViewDir);
  const double c = std::cos(axisDeg * kDeg), s = std::sin(axisDeg * kDeg);
  // Screen (x, y) turned back by the axis angle gives (x c + y s, -x s + y c) in the unturned view.
  const GlobeVector sx{c * right.X - s * up.X, c * right.Y - s * up.Y, c * right.Z - s * up.Z};
  const GlobeVector sy{s * right.X + c * up.X, s * right.Y + c * up.Y, s * right.Z + c * up.Z};
  Rows = {{{sx.X, sy.X, ViewDir.X}, {sx.Y, sy.Y, ViewDir.Y}, {sx.Z, sy.Z, ViewDir.Z}}};
}

std::optional<ScreenPoint> MoonGlobe::Project(double lonDeg, double latDeg) const {
  const GlobeVector v = SelenographicVector(lonDeg, latDeg);
  if (Dot(v, ViewDir) < 0) return std::nullopt;
  return ScreenPoint{Rows[0][0] * v.X + Rows[1][0] * v.Y + Rows[2][0] * v.Z,
                     Rows[0][1] * v.X + Rows[1][1] * v.Y + Rows[2][1] * v.Z};
}
