// The Moon's globe as NASA's frames show it: the orthographic view from the
// sub-Earth point, celestial north up and celestial east to the left, and the
// direction of the Sun. Screen coordinates are in units of the disc's radius,
// x to the right (celestial west), y up (celestial north), z toward the viewer.
// Body coordinates are selenographic: X toward longitude 0 on the equator, Y toward
// 90 degrees east (Mare Crisium's side), Z toward the north pole.
#pragma once

#include <array>
#include <optional>

struct GlobeVector {
  double X = 0, Y = 0, Z = 0;
};

inline double Dot(const GlobeVector& a, const GlobeVector& b) { return a.X * b.X + a.Y * b.Y + a.Z * b.Z; }

// The unit vector of a selenographic longitude (east positive) and latitude, degrees.
GlobeVector SelenographicVector(double lonDeg, double latDeg);

struct ScreenPoint {
  double X = 0, Y = 0;
};

class MoonGlobe {
 public:
  // Given: elonDeg, elatDeg the sub-Earth point, axisDeg the position angle of the
  // north pole from celestial north toward east, slonDeg, slatDeg the sub-solar
  // point (all degrees, as in NASA's hourly tables).
  MoonGlobe(double elonDeg, double elatDeg, double axisDeg, double slonDeg, double slatDeg);

  // The body vector seen at screen point (x, y, z) of the visible hemisphere.
  GlobeVector ToBody(double x, double y, double z) const {
    return {Rows[0][0] * x + Rows[0][1] * y + Rows[0][2] * z, Rows[1][0] * x + Rows[1][1] * y + Rows[1][2] * z,
            Rows[2][0] * x + Rows[2][1] * y + Rows[2][2] * z};
  }
  // Where a selenographic place lies on the screen; none when it faces away.
  std::optional<ScreenPoint> Project(double lonDeg, double latDeg) const;

  const GlobeVector& Sun() const { return SunDir; }      // toward the Sun, body frame
  const GlobeVector& Viewer() const { return ViewDir; }  // toward the Earth, body frame

 private:
  std::array<std::array<double, 3>, 3> Rows{};  // screen to body; its transpose is body to screen
  GlobeVector SunDir, ViewDir;
};
