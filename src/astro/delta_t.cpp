#include "astro/delta_t.h"

namespace {

constexpr long double kDay2000 = 36526.0L;  // 2000-01-01 00:00
constexpr long double kGregorianYear = 365.2425L;
// The year in which the 2014 expression and -20 + 32 u^2 agree (both 6000.06 s).
constexpr long double kRevisionMeetsParabola = 3191.593145558534L;

// Sum of c[k] t^k.
template <int N>
long double Polynomial(const long double (&c)[N], long double t) {
  long double sum = 0;
  for (int k = N - 1; k >= 0; --k) sum = sum * t + c[k];
  return sum;
}

}  // namespace

long double DecimalYear(long double utcDay) { return 2000.0L + (utcDay - kDay2000) / kGregorianYear; }

long double DeltaTSeconds(long double y) {
  if (y < 1700) {
    static constexpr long double c[] = {120, -0.9808L, -0.01532L, 1 / 7129.0L};
    return Polynomial(c, y - 1600);
  }
  if (y < 1800) {
    static constexpr long double c[] = {8.83L, 0.1603L, -0.0059285L, 0.00013336L, -1 / 1174000.0L};
    return Polynomial(c, y - 1700);
  }
  if (y < 1860) {
    static constexpr long double c[] = {13.72L,       -0.332447L,     0.0068612L,    0.0041116L,
                                        -0.00037436L, 0.0000121272L, -0.0000001699L, 0.000000000875L};
    return Polynomial(c, y - 1800);
  }
  if (y < 1900) {
    static constexpr long double c[] = {7.62L, 0.5737L, -0.251754L, 0.01680668L, -0.0004473624L, 1 / 233174.0L};
    return Polynomial(c, y - 1860);
  }
  if (y < 1920) {
    static constexpr long double c[] = {-2.79L, 1.494119L, -0.0598939L, 0.0061966L, -0.000197L};
    return Polynomial(c, y - 1900);
  }
  if (y < 1941) {
    static constexpr long double c[] = {21.20L, 0.84493L, -0.076100L, 0.0020936L};
    return Polynomial(c, y - 1920);
  }
  if (y < 1961) {
    static constexpr long double c[] = {29.07L, 0.407L, -1 / 233.0L, 1 / 2547.0L};
    return Polynomial(c, y - 1950);
  }
  if (y < 1986) {
    static constexpr long double c[] = {45.45L, 1.067L, -1 / 260.0L, -1 / 718.0L};
    return Polynomial(c, y - 1975);
  }
  if (y < 2005) {
    static constexpr long double c[] = {63.86L, 0.3345L, -0.060374L, 0.0017275L, 0.000651814L, 0.00002373599L};
    return Polynomial(c, y - 2000);
  }
  // Espenak's 2014 revision of the extrapolation (eclipsewise.com/help/deltatpoly2014.html),
  // which follows the observed values to 2014, until it meets the long-term parabola.
  if (y < 2015) return 64.69L + 0.2930L * (y - 2005);
  if (y < kRevisionMeetsParabola) {
    static constexpr long double c[] = {67.62L, 0.3645L, 0.0039755L};
    return Polynomial(c, y - 2015);
  }
  const long double u = (y - 1820) / 100;
  return -20 + 32 * u * u;
}

long double TerrestrialTimeDay(long double utcDay) {
  return utcDay + DeltaTSeconds(DecimalYear(utcDay)) / 86400.0L;
}
