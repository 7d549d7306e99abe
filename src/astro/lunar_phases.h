// Instants of the principal lunar phases (Meeus, Astronomical Algorithms 2nd ed.,
// chapter 49) and the search for the next or previous phase of a kind.
//
// Phase instants come out in dynamical time (JDE) and are used as UTC without a
// Delta T correction, so they lie about a minute after the true UTC instant.
// The lunation number k counts new moons from 2000-01-06 (k = 0); k + 0.5 is the
// full moon of lunation k.
#pragma once

#include "astro/time_scales.h"

// Julian Dates of the four phases of one lunation.
struct PhaseRecord {
  double NewMoon, FirstQuarter, FullMoon, LastQuarter;
};

// Phase kinds for NextPrevPhase.
inline constexpr int kNewMoonPhase = 0;
inline constexpr int kFirstQuarterPhase = 1;
inline constexpr int kFullMoonPhase = 2;
inline constexpr int kLastQuarterPhase = 3;

// Sum of the fourteen additional planetary corrections A1 ... A14, days, for
// lunation value k and T2 = (k / 1236.85)^2.
double PlanetaryPhaseCorrection(double k, double T2);

// The four phases of lunation K (integral).
PhaseRecord LunationPhases(double K);

// Julian Date of the one phase of value k: lunation k's new moon for an integral k,
// its quarters and full moon for the fractions 0.25, 0.5 and 0.75; 0 for any other
// fraction.
double PhaseJulianDate(double k);

// The first phase of the kind (0 new, 1 first quarter, 2 full, 3 last quarter)
// strictly after (findNext) or strictly before 00:00 of the given day, as day
// number and second of day; (-1, -1) for a day outside the day-number calendar.
DayTimeRecord NextPrevPhase(DayNumber day, int kind, bool findNext);

DayTimeRecord NextFullMoon(DayNumber day);
DayTimeRecord PrevFullMoon(DayNumber day);

// Date-time (UTC scale, whole seconds) of the next or previous full moon relative
// to the calendar date of the instant; 0 when the date is outside 1600 ... 3999.
double FindFullMoon(bool findNext, double instant);
