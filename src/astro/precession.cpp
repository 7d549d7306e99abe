#include "astro/precession.h"

namespace {

constexpr long double kRadPerArcsec = 4.848136811095359935899141e-6L;

// Sum of c[k] T^k arc seconds, in radians.
long double ArcsecPolynomial(const long double (&c)[6], long double T) {
  long double sum = 0;
  for (int k = 5; k >= 0; --k) sum = sum * T + c[k];
  return sum * kRadPerArcsec;
}

// The Fukushima-Williams angles gamma_bar, phi_bar, psi_bar and the mean
// obliquity epsilon_A (eraPfw06).
struct FukushimaWilliams {
  long double Gamma, Phi, Psi, Epsilon;
};

FukushimaWilliams AnglesAt(long double T) {
  static constexpr long double gamma[] = {-0.052928L, 10.556378L, 0.4932044L, -0.00031238L, -0.000002788L,
                                          0.0000000260L};
  static constexpr long double phi[] = {84381.412819L, -46.811016L, 0.0511268L, 0.00053289L, -0.000000440L,
                                        -0.0000000176L};
  static constexpr long double psi[] = {-0.041775L, 5038.481484L, 1.5584175L, -0.00018522L, -0.000026452L,
                                        -0.0000000148L};
  static constexpr long double epsilon[] = {84381.406L, -46.836769L, -0.0001831L, 0.00200340L, -0.000000576L,
                                            -0.0000000434L};
  return {ArcsecPolynomial(gamma, T), ArcsecPolynomial(phi, T), ArcsecPolynomial(psi, T),
          ArcsecPolynomial(epsilon, T)};
}

// GCRS to the mean ecliptic and equinox of date, before the turn to the equator.
Matrix3 EclipticMatrix(const FukushimaWilliams& a) {
  return RotationZ(-a.Psi) * RotationX(a.Phi) * RotationZ(a.Gamma);
}

}  // namespace

Matrix3 PrecessionMatrix(long double T) {
  const FukushimaWilliams a = AnglesAt(T);
  return RotationX(-a.Epsilon) * EclipticMatrix(a);
}

Matrix3 EclipticPrecessionMatrix(long double T) { return EclipticMatrix(AnglesAt(T)); }
