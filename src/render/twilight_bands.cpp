#include "render/twilight_bands.h"

#include <cmath>

QColor SkyColor(SkyKind kind) {
  switch (kind) {
    case SkyKind::Day: return QColor(11, 78, 173);  // the chart's sky blue
    case SkyKind::CivilTwilight: return QColor(8, 56, 128);
    case SkyKind::NauticalTwilight: return QColor(6, 36, 86);
    case SkyKind::AstronomicalTwilight: return QColor(5, 20, 52);
    case SkyKind::Night: return QColor(3, 6, 20);
  }
  return Qt::black;
}

void DrawTwilightBands(QPainter& Canvas, const QRect& Area, double FromUtc, double ToUtc, long double Latitude,
                       long double EastLongitude) {
  if (!(ToUtc > FromUtc)) return;
  const double pixelsPerDay = Area.width() / (ToUtc - FromUtc);
  const auto column = [&](double t) { return Area.left() + static_cast<int>(std::lround((t - FromUtc) * pixelsPerDay)); };
  for (const SkySpan& span : SkySpans(FromUtc, ToUtc, Latitude, EastLongitude)) {
    const int left = column(span.From), right = column(span.To);
    Canvas.fillRect(QRect(left, Area.top(), right - left, Area.height()), SkyColor(span.Kind));
  }
}
