#include "astro/lunar_phases.h"

#include <cmath>

#include "astro/angles.h"
#include "astro_tables.h"

namespace {


long double Frac(long double v) { return v - std::trunc(v); }

// Mean arguments of one phase instant (Meeus 49.4 ... 49.7), radians.
struct PhaseArguments {
  double M, Mp, F, Om;
  long double E;
};

// Coefficients of the sixteen periodic terms of the new and the full moon; the
// arguments are the same for both (Meeus, chapter 49).
struct SyzygyCoefficients {
  long double C[16];
};

constexpr SyzygyCoefficients kNewMoon{{-0.4072L, 0.17241L, 0.01608L, 0.01039L, 0.00739L,
                                       -0.00514L, 0.00208L, -0.00111L, -0.00057L, 0.00056L,
                                       -0.00042L, 0.00042L, 0.00038L, -0.00024L, -0.00017L,
                                       -0.00007L}};
constexpr SyzygyCoefficients kFullMoon{{-0.40614L, 0.17302L, 0.01614L, 0.01043L, 0.00734L,
                                        -0.00515L, 0.00209L, -0.00111L, -0.00057L, 0.00056L,
                                        -0.00042L, 0.00042L, 0.00038L, -0.00024L, -0.00017L,
                                        -0.00007L}};

long double SyzygyCorrection(const SyzygyCoefficients& k, const PhaseArguments& a) {
  const double M = a.M, Mp = a.Mp, F = a.F;
  const long double E = a.E;
  const long double* c = k.C;
  return c[0] * std::sin(Mp) + c[1] * E * std::sin(M) + c[2] * std::sin(2 * Mp) +
         c[3] * std::sin(2 * F) + c[4] * E * std::sin(Mp - M) + c[5] * E * std::sin(Mp + M) +
         c[6] * E * E * std::sin(2 * M) + c[7] * std::sin(Mp - 2 * F) +
         c[8] * std::sin(Mp + 2 * F) + c[9] * E * std::sin(2 * Mp + M) +
         c[10] * std::sin(3 * Mp) + c[11] * E * std::sin(M + 2 * F) +
         c[12] * E * std::sin(M - 2 * F) + c[13] * E * std::sin(2 * Mp - M) +
         c[14] * std::sin(a.Om) + c[15] * std::sin(Mp + 2 * M);
}

long double QuarterCorrection(const PhaseArguments& a) {
  const double M = a.M, Mp = a.Mp, F = a.F;
  const long double E = a.E;
  return -0.62801L * std::sin(Mp) + 0.17172L * E * std::sin(M) -
         0.01183L * E * std::sin(Mp + M) + 0.00862L * std::sin(2 * Mp) +
         0.00804L * std::sin(2 * F) + 0.00454L * E * std::sin(Mp - M) +
         0.00204L * E * E * std::sin(2 * M) - 0.0018L * std::sin(Mp - 2 * F) -
         0.0007L * std::sin(Mp + 2 * F) - 0.0004L * std::sin(3 * Mp) -
         0.00034L * E * std::sin(2 * Mp - M) + 0.00032L * E * std::sin(M + 2 * F) +
         0.00032L * E * std::sin(M - 2 * F) - 0.00028L * E * E * std::sin(Mp + 2 * M) +
         0.00027L * E * std::sin(2 * Mp + M) - 0.00017L * std::sin(a.Om) -
         0.00005L * std::sin(Mp - M - 2 * F);
}

// Offset of the quarters from their mean instant, days; added for the first
// quarter, subtracted for the last.
long double QuarterOffset(const PhaseArguments& a) {
  return 0.00306L - 0.00038L * a.E * std::cos(a.M) + 0.00026L * std::cos(a.Mp) -
         0.00002L * std::cos(a.Mp - a.M) + 0.00002L * std::cos(a.Mp + a.M) +
         0.00002L * std::cos(2 * a.F);
}

bool Near(long double v, long double target) { return std::fabs(v - target) < 0.01L; }

}  // namespace

double PlanetaryPhaseCorrection(double k, double T2) {
  long double sum = 0;
  for (const PhaseCorrectionTerm& t : kPhaseCorrectionTerms)
    sum += t.Amplitude * std::sin(SeriesTurnRadians(t.C0 + t.Ck * static_cast<long double>(k) + t.CT2 * T2));
  return static_cast<double>(sum);
}

namespace {

// A phase instant, Julian Date, and its kind; kind -1 and instant 0 for none.
struct PhaseInstant {
  int Kind;
  double Instant;
};

// The phase of value k, whose fraction 0, 0.25, 0.5 or 0.75 names the kind.
PhaseInstant PhaseAt(double k) {
  long double phase = Frac(k);
  if (phase < 0) phase += 1;
  const double T = k / 1236.85;
  const double T2 = T * T;
  const double T3 = T * T2;
  const double T4 = T2 * T2;
  PhaseArguments a;
  a.M = SeriesTurnRadians(2.5534L + 29.1053569L * k - 0.0000218L * T2 - 0.00000011L * T3);
  a.Mp = SeriesTurnRadians(201.5643L + 385.81693528L * k + 0.0107438L * T2 + 0.00001239L * T3 -
                           0.000000058L * T4);
  a.F = SeriesTurnRadians(160.7108L + 390.67050274L * k - 0.0016341L * T2 - 0.00000227L * T3 +
                          0.000000011L * T4);
  a.Om = SeriesTurnRadians(124.7746L - 1.5637558L * k + 0.0020691L * T2 + 0.00000215L * T3);
  a.E = 1 - 0.002516L * T - 0.0000074L * T2;
  const long double jde = 2451550.09765L + 29.530588853L * k + 0.0001337L * T2 -
                          0.00000015L * T3 + 0.00000000073L * T4;
  const long double planetary = PlanetaryPhaseCorrection(k, T2);
  if (phase < 0.01L) return {kNewMoonPhase, static_cast<double>(planetary + (jde + SyzygyCorrection(kNewMoon, a)))};
  if (Near(phase, 0.5L))
    return {kFullMoonPhase, static_cast<double>(planetary + (jde + SyzygyCorrection(kFullMoon, a)))};
  if (Near(phase, 0.25L))
    return {kFirstQuarterPhase, static_cast<double>(planetary + (jde + QuarterCorrection(a)) + QuarterOffset(a))};
  if (Near(phase, 0.75L))
    return {kLastQuarterPhase, static_cast<double>(planetary + (jde + QuarterCorrection(a)) - QuarterOffset(a))};
  return {-1, 0};
}

}  // namespace

PhaseRecord LunationPhases(double K) {
  PhaseRecord r{0, 0, 0, 0};
  double* fields[4] = {&r.NewMoon, &r.FirstQuarter, &r.FullMoon, &r.LastQuarter};
  for (int i = 0; i < 4; ++i) {
    const PhaseInstant p = PhaseAt(K + 0.25 * i);
    if (p.Kind >= 0) *fields[p.Kind] = p.Instant;
  }
  return r;
}

double PhaseJulianDate(double k) { return PhaseAt(k).Instant; }

DayTimeRecord NextPrevPhase(DayNumber day, int kind, bool findNext) {
  // An unknown kind has no phase field: searching forward for it would never end.
  if (day < 0 || day > kLastDayNumber || kind < kNewMoonPhase || kind > kLastQuarterPhase)
    return {-1, -1};
  const DMY dmy = DayNumberToDMY(day);
  const long double k0 =
      (dmy.Year + dmy.Month / 12.0L + dmy.Day / 365.25L - 2000) * 12.3685L - 0.5L;
  // The estimate counts the month as complete (m/12, not (m - 1)/12), so it runs
  // about one lunation ahead; the search starts one lunation earlier.
  double K = static_cast<double>(std::nearbyint(k0)) - 1;
  const long double TD = DayNumberToJulianDate(day);
  // Only the kind asked for is computed: the search evaluates many lunations.
  const auto phase = [kind](double lunation) { return PhaseJulianDate(lunation + 0.25 * kind); };
  double J;
  if (findNext) {
    while (!((J = phase(K)) > TD)) ++K;
    // The start can already be one lunation past the answer (last quarters early in
    // a month, and full moons from the 28th century on): step back while the phase
    // of the lunation before still lies after 00:00 of the day.
    for (double earlier; (earlier = phase(K - 1)) > TD; --K) J = earlier;
  } else {
    // The start never lies before the answer's lunation, so walking back suffices.
    while (!((J = phase(K)) < TD)) --K;
  }
  const DayNumber d = JulianDateToDayNumber(J, true);
  if (d == -1) return {-1, -1};
  SecondOfDay s = static_cast<SecondOfDay>((Frac(J) + 0.5L) * 86400);
  if (s >= 86400) s -= 86400;
  return {d, s};
}

DayTimeRecord NextFullMoon(DayNumber day) { return NextPrevPhase(day, kFullMoonPhase, true); }
DayTimeRecord PrevFullMoon(DayNumber day) { return NextPrevPhase(day, kFullMoonPhase, false); }

double FindFullMoon(bool findNext, double instant) {
  const DayNumber day = DateTimeToDayNumber(instant);
  const DayTimeRecord r = findNext ? NextFullMoon(day) : PrevFullMoon(day);
  return std::trunc(DayNumberToDateTime(r.Day)) + Frac(SecondOfDayToDateTime(r.Second));
}
