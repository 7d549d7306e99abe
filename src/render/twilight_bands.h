// The altitude chart's sky coloured by the Sun: day, civil, nautical and astronomical
// twilight and night at the observer's place (astro/twilight.h), so that the chart shows
// at a glance whether the Moon is up in a dark sky.
#pragma once

#include <QColor>
#include <QPainter>
#include <QRect>

#include "astro/twilight.h"

// The colour of each kind of sky: day the chart's own blue, night near black.
QColor SkyColor(SkyKind kind);

// Fills Area with the sky of each moment from FromUtc at its left edge to ToUtc at its
// right (UTC date-times), for a place at Latitude north, EastLongitude degrees.
void DrawTwilightBands(QPainter& Canvas, const QRect& Area, double FromUtc, double ToUtc, long double Latitude,
                       long double EastLongitude);
