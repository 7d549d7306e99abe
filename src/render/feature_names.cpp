#include "render/feature_names.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace {

QColor TextColour(SunLight light) {
  switch (light) {
    case SunLight::Terminator: return QColor(255, 196, 40);
    case SunLight::Dark: return QColor(150, 170, 205);
    case SunLight::Sunlit: break;
  }
  return QColor(245, 245, 245);
}

// The text path at the box's baseline, with its dark outline under it.
void DrawOutlinedText(QPainter& canvas, const FeatureLabel& label, const QFont& font) {
  const QFontMetricsF metrics(font);
  QPainterPath path;
  // Pixel coordinates name pixel centres; the painter's pixel i spans i ... i + 1.
  path.addText(label.Box.left() + 0.5, label.Box.top() + 0.5 + metrics.ascent(), font,
               QString::fromUtf8(label.Feature->Name));
  canvas.strokePath(path, QPen(QColor(0, 0, 0, 220), 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  canvas.fillPath(path, TextColour(label.Light));
}

void DrawDot(QPainter& canvas, const FeatureLabel& label) {
  const QPointF centre = label.Anchor + QPointF(0.5, 0.5);
  canvas.setPen(QPen(Qt::black, 1.0));
  canvas.setBrush(TextColour(label.Light));
  canvas.drawEllipse(centre, 2.0, 2.0);
}

constexpr double kMarkMinRadiusPx = 4.0;

}  // namespace

int DrawFeatureNames(QImage& Picture, const FeatureProjection& projection, const MoonHourValues& values) {
  const std::vector<FeatureLabel> labels = PlaceFeatureLabels(projection, values);
  QPainter canvas(&Picture);
  canvas.setRenderHint(QPainter::Antialiasing);
  for (const FeatureLabel& label : labels) {
    if (label.Marked) DrawDot(canvas, label);
    DrawOutlinedText(canvas, label, FeatureLabelFont(projection, label.Light));
  }
  return static_cast<int>(labels.size());
}

bool DrawFeatureMark(QImage& Picture, const FeatureProjection& projection, const LunarFeature& feature) {
  const std::optional<QPointF> at = projection.PixelOf(feature.LatitudeDeg, feature.LongitudeDeg);
  if (!at) return false;
  const double radius = std::max(kMarkMinRadiusPx, projection.KmToPx(feature.DiameterKm) / 2);
  const QFont font = FeatureLabelFont(projection, SunLight::Terminator);
  const QFontMetricsF metrics(font);
  FeatureLabel label{&feature, *at, {}, false, SunLight::Terminator};
  label.Box = QRectF(at->x() + radius + 3, at->y() - metrics.height() / 2,
                     metrics.horizontalAdvance(QString::fromUtf8(feature.Name)), metrics.height());
  QPainter canvas(&Picture);
  canvas.setRenderHint(QPainter::Antialiasing);
  canvas.setBrush(Qt::NoBrush);
  const QPointF centre = *at + QPointF(0.5, 0.5);
  canvas.setPen(QPen(Qt::black, 4.0));
  canvas.drawEllipse(centre, radius, radius);
  canvas.setPen(QPen(TextColour(SunLight::Terminator), 2.0));
  canvas.drawEllipse(centre, radius, radius);
  DrawOutlinedText(canvas, label, font);
  return true;
}
