// Cartesian vectors and rotation matrices of the ephemeris, in the ERFA
// conventions: Rx, Rz rotate the frame (not the vector) by a positive angle
// (eraRx, eraRz), and a matrix maps a vector by M v. Double holds a place of the
// Moon to a micrometre and a direction to 1e-16 radian.
#pragma once

#include <array>
#include <cmath>

#include "astro/angle_multiples.h"

using Vector3 = std::array<double, 3>;
using Matrix3 = std::array<Vector3, 3>;

inline Vector3 operator+(const Vector3& a, const Vector3& b) { return {a[0] + b[0], a[1] + b[1], a[2] + b[2]}; }
inline Vector3 operator-(const Vector3& a, const Vector3& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
inline Vector3 operator*(double s, const Vector3& a) { return {s * a[0], s * a[1], s * a[2]}; }
inline double Dot(const Vector3& a, const Vector3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
inline double Norm(const Vector3& a) { return std::sqrt(Dot(a, a)); }

inline Vector3 operator*(const Matrix3& m, const Vector3& v) { return {Dot(m[0], v), Dot(m[1], v), Dot(m[2], v)}; }

// The transpose (inverse) of m applied to v.
inline Vector3 TransposeTimes(const Matrix3& m, const Vector3& v) {
  return {m[0][0] * v[0] + m[1][0] * v[1] + m[2][0] * v[2], m[0][1] * v[0] + m[1][1] * v[1] + m[2][1] * v[2],
          m[0][2] * v[0] + m[1][2] * v[1] + m[2][2] * v[2]};
}

// The cosine and sine of one angle in one library call. glibc's sincos gives
// both bit for bit as cos and sin do (unlike astro/sin_cos.h's SinCos, which is
// for the series); the compiler merges a cos and a sin of one angle by itself,
// but not after it has turned cos(-a) into cos(a).
inline UnitVector CosSinOf(double angle) {
  UnitVector r;
  ::sincos(angle, &r.Sin, &r.Cos);
  return r;
}

inline Matrix3 RotationZ(double angle) {
  const auto [c, s] = CosSinOf(angle);
  return {{{c, s, 0}, {-s, c, 0}, {0, 0, 1}}};
}

// m followed by a turn of the frame about x (TurnX) or z (TurnZ) by angle, in
// place, as eraRx and eraRz: a chain of turns costs two rows per turn instead of
// a matrix product. Rows i and k are the two the turn mixes.
inline void TurnRows(double angle, int i, int k, Matrix3& m) {
  const auto [c, s] = CosSinOf(angle);
  for (int j = 0; j < 3; ++j) {
    const double a = m[i][j], b = m[k][j];
    m[i][j] = c * a + s * b;
    m[k][j] = -s * a + c * b;
  }
}

inline void TurnX(double angle, Matrix3& m) { TurnRows(angle, 1, 2, m); }
inline void TurnZ(double angle, Matrix3& m) { TurnRows(angle, 0, 1, m); }

// Unit vector of spherical longitude and latitude (radians).
inline Vector3 FromSpherical(double lon, double lat) {
  return {std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};
}
