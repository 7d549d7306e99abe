#include "render/feature_labels.h"

#include <QFontMetricsF>
#include <algorithm>

namespace {

// Kinds a label names; the lettered craters and the landing sites are found with
// Find Feature and the pointer instead.
bool Labelled(FeatureKind kind) {
  return kind != FeatureKind::SatelliteCrater && kind != FeatureKind::LandingSite &&
         kind != FeatureKind::AlbedoFeature;
}

struct Candidate {
  FeatureLabel Label;
  int Rank = 0;  // 0 seas, 1 terminator, 2 the rest
};

std::vector<Candidate> Candidates(const FeatureProjection& projection, const MoonHourValues& values) {
  std::vector<Candidate> found;
  for (const LunarFeature& f : LunarFeatures()) {
    if (!Labelled(f.Kind)) continue;
    const double sun = AltitudeOverPlaceDeg(f.LatitudeDeg, f.LongitudeDeg, double(values.Slat), double(values.Slon));
    const SunLight light = SunLightOf(sun);
    const double sizePx = projection.KmToPx(f.DiameterKm);
    const double leastPx = kNamedFeatureMinPx * projection.DevicePixelRatio();
    if (sizePx < leastPx / (light == SunLight::Terminator ? 2 : 1)) continue;
    const std::optional<QPointF> at = projection.PixelOf(f.LatitudeDeg, f.LongitudeDeg);
    if (!at) continue;
    const bool sea = f.Kind == FeatureKind::Mare || f.Kind == FeatureKind::Oceanus;
    const int rank = sea ? 0 : light == SunLight::Terminator ? 1 : 2;
    found.push_back({FeatureLabel{&f, *at, {}, !IsDarkPlain(f.Kind), light}, rank});
  }
  // The table is largest first; a stable sort keeps that order within a rank.
  std::ranges::stable_sort(found, {}, &Candidate::Rank);
  return found;
}

// Where a text of that size may go: a plain's name centred on it, a crater's
// beside the dot on its centre (right, left, above, below).
std::vector<QRectF> Spots(const FeatureLabel& label, QSizeF text) {
  const QPointF a = label.Anchor;
  const double w = text.width(), h = text.height(), gap = 4;
  if (!label.Marked) return {QRectF(a.x() - w / 2, a.y() - h / 2, w, h)};
  return {QRectF(a.x() + gap, a.y() - h / 2, w, h), QRectF(a.x() - gap - w, a.y() - h / 2, w, h),
          QRectF(a.x() - w / 2, a.y() - gap - h, w, h), QRectF(a.x() - w / 2, a.y() + gap, w, h)};
}

}  // namespace

QFont FeatureLabelFont(const FeatureProjection& projection, SunLight light) {
  const double ratio = projection.DevicePixelRatio();
  QFont font;
  font.setPixelSize(static_cast<int>(std::clamp(static_cast<int>(projection.DiscRadiusPx() / ratio / 30), 9, 16) * ratio));
  font.setBold(light == SunLight::Terminator);
  return font;
}

std::vector<FeatureLabel> PlaceFeatureLabels(const FeatureProjection& projection, const MoonHourValues& values) {
  const QRectF picture(QPointF(0, 0), QSizeF(projection.PictureSize()));
  std::vector<FeatureLabel> placed;
  const auto free = [&placed](const QRectF& box) {
    return std::ranges::none_of(placed, [&box](const FeatureLabel& l) { return l.Box.intersects(box); });
  };
  for (Candidate& c : Candidates(projection, values)) {
    const QFontMetricsF metrics(FeatureLabelFont(projection, c.Label.Light));
    const QSizeF text(metrics.horizontalAdvance(QString::fromUtf8(c.Label.Feature->Name)), metrics.height());
    for (const QRectF& box : Spots(c.Label, text)) {
      if (!picture.contains(box) || !free(box)) continue;
      c.Label.Box = box;
      placed.push_back(c.Label);
      break;
    }
  }
  return placed;
}
