// Cartesian vectors and rotation matrices of the ephemeris, in the ERFA
// conventions: Rx, Rz rotate the frame (not the vector) by a positive angle
// (eraRx, eraRz), and a matrix maps a vector by M v.
#pragma once

#include <array>
#include <cmath>

using Vector3 = std::array<long double, 3>;
using Matrix3 = std::array<Vector3, 3>;

inline Vector3 operator+(const Vector3& a, const Vector3& b) { return {a[0] + b[0], a[1] + b[1], a[2] + b[2]}; }
inline Vector3 operator-(const Vector3& a, const Vector3& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
inline Vector3 operator*(long double s, const Vector3& a) { return {s * a[0], s * a[1], s * a[2]}; }
inline long double Dot(const Vector3& a, const Vector3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
inline long double Norm(const Vector3& a) { return std::sqrt(Dot(a, a)); }

inline Vector3 operator*(const Matrix3& m, const Vector3& v) { return {Dot(m[0], v), Dot(m[1], v), Dot(m[2], v)}; }

// The transpose (inverse) of m applied to v.
inline Vector3 TransposeTimes(const Matrix3& m, const Vector3& v) {
  return {m[0][0] * v[0] + m[1][0] * v[1] + m[2][0] * v[2], m[0][1] * v[0] + m[1][1] * v[1] + m[2][1] * v[2],
          m[0][2] * v[0] + m[1][2] * v[1] + m[2][2] * v[2]};
}

inline Matrix3 operator*(const Matrix3& a, const Matrix3& b) {
  Matrix3 m{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) m[i][j] = a[i][0] * b[0][j] + a[i][1] * b[1][j] + a[i][2] * b[2][j];
  return m;
}

// The sines and cosines are taken in double: an extended-precision sine costs
// ten times as much, and the rotations' angles need no more than double holds.
inline Matrix3 RotationX(long double angle) {
  const double c = std::cos(static_cast<double>(angle)), s = std::sin(static_cast<double>(angle));
  return {{{1, 0, 0}, {0, c, s}, {0, -s, c}}};
}

inline Matrix3 RotationZ(long double angle) {
  const double c = std::cos(static_cast<double>(angle)), s = std::sin(static_cast<double>(angle));
  return {{{c, s, 0}, {-s, c, 0}, {0, 0, 1}}};
}

// Unit vector of spherical longitude and latitude (radians).
inline Vector3 FromSpherical(long double longitude, long double latitude) {
  const auto lon = static_cast<double>(longitude), lat = static_cast<double>(latitude);
  return {std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};
}
