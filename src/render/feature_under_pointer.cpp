#include "render/feature_under_pointer.h"

#include <algorithm>
#include <cmath>

namespace {

// The arc between two places on the Moon's surface, km.
double SurfaceDistanceKm(const GlobeVector& a, const GlobeVector& b) {
  return std::acos(std::clamp(Dot(a, b), -1.0, 1.0)) * kMoonRadiusKm;
}

// The smallest feature whose rim holds the place; failing that the one whose rim
// passes nearest, within reachKm.
const LunarFeature* FeatureAt(const SelenographicPlace& place, double reachKm) {
  const GlobeVector p = SelenographicVector(place.LongitudeDeg, place.LatitudeDeg);
  const LunarFeature* inside = nullptr;
  const LunarFeature* near = nullptr;
  double nearestKm = reachKm;
  for (const LunarFeature& f : LunarFeatures()) {
    const double outsideKm = SurfaceDistanceKm(p, SelenographicVector(f.LongitudeDeg, f.LatitudeDeg)) - f.DiameterKm / 2;
    if (outsideKm <= 0 && (!inside || f.DiameterKm < inside->DiameterKm)) inside = &f;
    if (outsideKm > 0 && outsideKm <= nearestKm) {
      near = &f;
      nearestKm = outsideKm;
    }
  }
  return inside ? inside : near;
}

}  // namespace

std::optional<PointerPlace> PlaceUnderPointer(const FeatureProjection& projection, const MoonHourValues& values,
                                              QPointF pixel) {
  const std::optional<SelenographicPlace> place = projection.PlaceAt(pixel);
  if (!place) return std::nullopt;
  PointerPlace p;
  p.Place = *place;
  p.Feature = FeatureAt(*place, kPointerReachPx / projection.KmToPx(1.0));
  const double lat = p.Feature ? p.Feature->LatitudeDeg : place->LatitudeDeg;
  const double lon = p.Feature ? p.Feature->LongitudeDeg : place->LongitudeDeg;
  p.SunAltitudeDeg = AltitudeOverPlaceDeg(lat, lon, double(values.Slat), double(values.Slon));
  p.Light = SunLightOf(p.SunAltitudeDeg);
  return p;
}

QString SelenographicText(double latDeg, double lonDeg) {
  return QStringLiteral("%1\u00B0 %2 %3\u00B0 %4")
      .arg(std::fabs(latDeg), 0, 'f', 2)
      .arg(latDeg >= 0 ? 'N' : 'S')
      .arg(std::fabs(lonDeg), 0, 'f', 2)
      .arg(lonDeg >= 0 ? 'E' : 'W');
}

QString PointerPlaceText(const PointerPlace& p) {
  QString text;
  if (p.Feature)
    text = QStringLiteral("%1, %2, %3 km, %4, ")
               .arg(QString::fromUtf8(p.Feature->Name), QString::fromLatin1(FeatureKindName(p.Feature->Kind)))
               .arg(p.Feature->DiameterKm, 0, 'f', 1)
               .arg(SelenographicText(p.Feature->LatitudeDeg, p.Feature->LongitudeDeg));
  else
    text = SelenographicText(p.Place.LatitudeDeg, p.Place.LongitudeDeg) + ", ";
  return text + QStringLiteral("Sun %1\u00B0, %2").arg(p.SunAltitudeDeg, 0, 'f', 2).arg(QLatin1String(SunLightText(p.Light)));
}
