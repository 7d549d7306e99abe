#include "render/feature_projection.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "render/drawn_moon.h"

namespace {

constexpr double kDeg = std::numbers::pi / 180;

// p turned clockwise on screen (rows grow downward) by angleDeg about centre.
QPointF Turned(QPointF p, QPointF centre, double angleDeg) {
  const double c = std::cos(angleDeg * kDeg), s = std::sin(angleDeg * kDeg);
  const QPointF d = p - centre;
  return centre + QPointF(d.x() * c - d.y() * s, d.x() * s + d.y() * c);
}

}  // namespace

PictureGeometry MoonViewGeometry(const MoonRecord& record, const MoonViewOptions& options, QSize frameSize,
                                 QSize pictureSize) {
  PictureGeometry g;
  g.FrameSizePx = frameSize.isEmpty() ? kDrawnFrameSize : frameSize.width();
  g.PictureSize = pictureSize;
  g.SouthUp = options.Latitude < 0;  // the hemisphere that picks NASA's series
  g.TurnDeg = options.RotateParallactic ? static_cast<double>(record.ParallacticAngle) : 0.0;
  return g;
}

FeatureProjection::FeatureProjection(const MoonHourValues& values, const PictureGeometry& picture)
    : GlobeView(GlobeOf(values)), Picture(picture) {
  // The drawn Moon and NASA's 730 frames centre the disc on pixel 365.
  const double scale = static_cast<double>(picture.FrameSizePx) / kDrawnFrameSize;
  CentrePx = kDrawnFrameCentre * scale;
  RadiusPx = DrawnDiscDiameter(values.Diam) / 2 * scale;
}

double FeatureProjection::KmToPx(double km) const { return km / kMoonRadiusKm * RadiusPx; }

QPointF FeatureProjection::Mirrored(QPointF p) const {
  if (Picture.MirroredLeftRight) p.setX(Picture.PictureSize.width() - p.x());
  if (Picture.MirroredUpDown) p.setY(Picture.PictureSize.height() - p.y());
  return p;
}

QPointF FeatureProjection::ToPicture(QPointF p) const {
  // The south series is the frame mirrored both ways, pixel i going to pixel size - 1 - i.
  if (Picture.SouthUp) p = QPointF(Picture.FrameSizePx - 1 - p.x(), Picture.FrameSizePx - 1 - p.y());
  const QPointF centre((Picture.PictureSize.width() - 1) / 2.0, (Picture.PictureSize.height() - 1) / 2.0);
  return Mirrored(Turned(p, centre, Picture.TurnDeg));
}

QPointF FeatureProjection::ToFrame(QPointF p) const {
  const QPointF centre((Picture.PictureSize.width() - 1) / 2.0, (Picture.PictureSize.height() - 1) / 2.0);
  p = Turned(Mirrored(p), centre, -Picture.TurnDeg);
  if (Picture.SouthUp) p = QPointF(Picture.FrameSizePx - 1 - p.x(), Picture.FrameSizePx - 1 - p.y());
  return p;
}

std::optional<QPointF> FeatureProjection::PixelOf(double latDeg, double lonDeg) const {
  const std::optional<ScreenPoint> s = GlobeView.Project(lonDeg, latDeg);
  if (!s) return std::nullopt;
  return ToPicture(QPointF(CentrePx + s->X * RadiusPx, CentrePx - s->Y * RadiusPx));
}

std::optional<SelenographicPlace> FeatureProjection::PlaceAt(QPointF pixel) const {
  const QPointF f = ToFrame(pixel);
  const double x = (f.x() - CentrePx) / RadiusPx, y = (CentrePx - f.y()) / RadiusPx;
  const double zz = 1 - x * x - y * y;
  if (!(zz >= 0)) return std::nullopt;
  const GlobeVector v = GlobeView.ToBody(x, y, std::sqrt(zz));
  return SelenographicPlace{std::asin(std::clamp(v.Z, -1.0, 1.0)) / kDeg, std::atan2(v.Y, v.X) / kDeg};
}
