// The Earth's shadow on the drawn Moon during a lunar eclipse: the penumbra darkens
// gradually toward the umbra, the umbra is deep copper-red and darker toward its
// centre, its edge where the geometry of lunar_eclipses.h puts it. The frame keeps
// its geometry (celestial north up, east left), so the shadow turns with the picture
// when the Moon view turns it by the parallactic angle.
#pragma once

#include <QImage>

class QThreadPool;

#include "astro/lunar_eclipses.h"
#include "astro/moon_hour_values.h"

// Darkens the disc of a drawn frame (drawn_moon.h's geometry, a disc of
// discDiameterPx pixels about the frame's centre) by the shadow. A frame of another
// format or size, or a Moon clear of the penumbra, is left as it was.
void ApplyEarthShadow(QImage& frame, double discDiameterPx, const EarthShadow& shadow);

// The drawn Moon of an hour (DrawMoonFrame, its rows shared with rowPool's threads)
// with the Earth's shadow of the UTC instant utcDay laid on it.
QImage DrawEclipsedMoonFrame(const MoonHourValues& values, long double utcDay, QThreadPool* rowPool = nullptr);
