#include "astro/feature_visibility.h"

FeatureVisibility VisibilityOf(const LunarFeature& f, const MoonHourValues& v) {
  FeatureVisibility seen;
  seen.NearSide = AltitudeOverPlaceDeg(f.LatitudeDeg, f.LongitudeDeg, double(v.Elat), double(v.Elon)) > 0;
  seen.SunAltitudeDeg = AltitudeOverPlaceDeg(f.LatitudeDeg, f.LongitudeDeg, double(v.Slat), double(v.Slon));
  seen.Light = SunLightOf(seen.SunAltitudeDeg);
  return seen;
}
