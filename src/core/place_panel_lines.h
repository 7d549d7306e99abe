// The data panel's section "From your place": the Moon as the observer sees it
// (topocentric_moon.h), beside the geocentric values above it.
#pragma once

#include <QLocale>
#include <QStringList>

#include "astro/topocentric_moon.h"

QStringList PlacePanelLines(const TopocentricMoonValues& t, const QLocale& locale);
