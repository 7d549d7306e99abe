// What lies under a pixel of the Moon view: the named feature there, or at least
// the selenographic place, with the Sun's altitude over it.
#pragma once

#include <QPointF>
#include <QString>
#include <optional>

#include "astro/lunar_features.h"
#include "astro/selenographic_sun.h"
#include "render/feature_projection.h"

struct PointerPlace {
  SelenographicPlace Place;                // under the pixel
  const LunarFeature* Feature = nullptr;   // the smallest named feature that covers it, if any
  double SunAltitudeDeg = 0;               // over the feature's centre, else over the place
  SunLight Light = SunLight::Dark;
};

// A pixel within this many pixels of a feature's rim still points at it, so that
// small craters can be hit.
inline constexpr double kPointerReachPx = 2.0;

// None when the pixel is off the disc. Slat, Slon give the Sun.
std::optional<PointerPlace> PlaceUnderPointer(const FeatureProjection& projection, const MoonHourValues& values,
                                              QPointF pixel);

// The status bar's text: "Copernicus, crater, 96.1 km, 9.62° N 20.08° W, Sun 12.34°, sunlit"
// or without the feature's name, kind and size where none is named.
QString PointerPlaceText(const PointerPlace& place);

// "9.62° N 20.08° W"
QString SelenographicText(double latDeg, double lonDeg);
