// A lunar eclipse as seen from the user's place: its contacts in UTC and local time
// with the Moon's altitude there, and the data panel's lines about the eclipse in
// progress at an instant.
#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>
#include <vector>

#include "astro/lunar_eclipses.h"
#include "astro/time_scales.h"

// One instant of an eclipse: a contact (P1, U1, U2, U3, U4, P4) or its greatest.
struct EclipseContact {
  QString Name;  // "P1" ... "P4", "Greatest"
  double Utc = 0;
  double Local = 0;        // the same instant in the zone's local time
  double AltitudeDeg = 0;  // the Moon's topocentric altitude at the place
};

// The contacts the eclipse has and its greatest, in time order, for a place
// (latitude north, longitude east, degrees) and zone.
std::vector<EclipseContact> ContactsSeenFrom(const LunarEclipse& e, long double latitude, long double longitude,
                                             const TimeZoneRules& zone);

// Whether the Moon stands above the horizon at the place at some instant from P1 to P4.
// Far north or south the Moon can rise and set again between two contacts.
bool SeenFrom(const LunarEclipse& e, long double latitude, long double longitude);

// "Total lunar eclipse: umbral magnitude 1.179, greatest 06:58 UTC".
QString EclipseTitle(const LunarEclipse& e, const QLocale& locale);

// "U1  05:09 UTC  01:09 local  Moon 31° up", or "... Moon below horizon".
QString ContactLine(const EclipseContact& c, const QLocale& locale);

// The panel's lines at a UTC instant between P1 and P4: the title, the phase the Moon
// is in, each contact; none at any other instant.
QStringList EclipsePanelLines(long double instant, long double latitude, long double longitude,
                              const TimeZoneRules& zone, const QLocale& locale);
