#include "astro/precession.h"

namespace {

constexpr double kRadPerArcsec = 4.848136811095359935899141e-6;

// Sum of c[k] T^k arc seconds, in radians.
double ArcsecPolynomial(const double (&c)[6], double T) {
  double sum = 0;
  for (int k = 5; k >= 0; --k) sum = sum * T + c[k];
  return sum * kRadPerArcsec;
}

// The Fukushima-Williams angles gamma_bar, phi_bar, psi_bar and the mean
// obliquity epsilon_A (eraPfw06).
struct FukushimaWilliams {
  double Gamma, Phi, Psi, Epsilon;
};

FukushimaWilliams AnglesAt(double T) {
  static constexpr double gamma[] = {-0.052928, 10.556378, 0.4932044, -0.00031238, -0.000002788,
                                          0.0000000260};
  static constexpr double phi[] = {84381.412819, -46.811016, 0.0511268, 0.00053289, -0.000000440,
                                        -0.0000000176};
  static constexpr double psi[] = {-0.041775, 5038.481484, 1.5584175, -0.00018522, -0.000026452,
                                        -0.0000000148};
  static constexpr double epsilon[] = {84381.406, -46.836769, -0.0001831, 0.00200340, -0.000000576,
                                            -0.0000000434};
  return {ArcsecPolynomial(gamma, T), ArcsecPolynomial(phi, T), ArcsecPolynomial(psi, T),
          ArcsecPolynomial(epsilon, T)};
}

// GCRS to the mean ecliptic and equinox of date, before the turn to the equator.
Matrix3 EclipticMatrix(const FukushimaWilliams& a) {
  Matrix3 m = RotationZ(a.Gamma);
  TurnX(a.Phi, m);
  TurnZ(-a.Psi, m);
  return m;
}

}  // namespace

Matrix3 PrecessionMatrix(double T) {
  const FukushimaWilliams a = AnglesAt(T);
  Matrix3 m = EclipticMatrix(a);
  TurnX(-a.Epsilon, m);
  return m;
}

Matrix3 EclipticPrecessionMatrix(double T) { return EclipticMatrix(AnglesAt(T)); }
