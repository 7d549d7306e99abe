// Sines and cosines of the whole multiples k*x of an angle, |k| <= N, built by
// repeated rotation from one sine and one cosine. The periodic series of the Moon
// and of the nutation have thousands of terms whose arguments are small integer
// combinations of a handful of angles; rotating these unit vectors together costs
// a few multiplications per term instead of a sine and a cosine. They work in
// double: the caller reduces the angle to one turn first, and the rotations then
// add about N * 1e-16 of rounding error, far below the series' own truncation.
#pragma once

#include <array>
#include <cmath>

struct UnitVector {
  double Cos;
  double Sin;
};

// The unit vector of the sum of the two angles.
inline UnitVector Rotate(const UnitVector& a, const UnitVector& b) {
  return {a.Cos * b.Cos - a.Sin * b.Sin, a.Sin * b.Cos + a.Cos * b.Sin};
}

// Writes the unit vectors of -N ... N times the angle to v[0] ... v[2N]. The
// running multiple stays in a local: each one waits only on the last rotation, not
// on a reload.
template <int N>
void FillMultiples(double radians, UnitVector* v) {
  UnitVector multiple{1, 0};
  v[N] = multiple;
  const UnitVector one{std::cos(radians), std::sin(radians)};
  for (int k = 1; k <= N; ++k) {
    multiple = Rotate(multiple, one);
    v[N + k] = multiple;
    v[N - k] = {multiple.Cos, -multiple.Sin};
  }
}

template <int N>
class AngleMultiples {
 public:
  AngleMultiples() : v_{} {}
  // Fills every entry, so v_ is left without a first zeroing.
  explicit AngleMultiples(double radians) { FillMultiples<N>(radians, v_.data()); }
  // The unit vector of k times the angle, -N <= k <= N.
  const UnitVector& operator[](int k) const { return v_[N + k]; }

 private:
  std::array<UnitVector, 2 * N + 1> v_;
};
