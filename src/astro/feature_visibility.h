// Whether a named feature can be seen at an hour: on the side of the Moon that
// faces the Earth, and in sunlight.
#pragma once

#include "astro/lunar_features.h"
#include "astro/moon_hour_values.h"
#include "astro/selenographic_sun.h"

struct FeatureVisibility {
  bool NearSide = false;      // the Earth above the feature's horizon
  double SunAltitudeDeg = 0;  // over the feature's centre
  SunLight Light = SunLight::Dark;

  bool CanBeSeen() const { return NearSide && Light != SunLight::Dark; }
};

FeatureVisibility VisibilityOf(const LunarFeature& feature, const MoonHourValues& values);
