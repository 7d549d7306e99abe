#include "render/altitude_chart.h"

#include <QPainter>
#include <array>
#include <cmath>

#include "astro/coordinates.h"
#include "astro/moon_position.h"
#include "core/covered_range.h"
#include "render/bitmap_helpers.h"
#include "render/moon_view.h"
#include "render/twilight_bands.h"
#include "render/view_text.h"

namespace {

constexpr int W = 730, H = 730;         // the chart is always this size
constexpr long double kStep = W / 48.0L;  // pixels per hour
constexpr long double kHour = 1.0L / 24;
constexpr long double kPixelsPerDegree = 3.4L;
constexpr int kSamples = 49;            // one an hour, from 24 hours before to 24 after
constexpr int kNowSample = 24;

// Topocentric place of the Moon's centre for the observer, no refraction.
HorizontalPosition MoonAltAz(long double t, const MoonViewOptions& Options) {
  const MoonPositionRecord m = MoonPosition(static_cast<double>(t));
  return TopocentricAltAz(static_cast<double>(t), m.RightAscension, m.Declination, m.HorizontalParallax,
                          Options.Latitude, Options.Longitude, 0);
}

// Text with its cell's top-left corner at (x, y), in white.
void DrawWhiteText(QPainter& Canvas, int x, int y, const QString& text) {
  const QPen pen = Canvas.pen();
  Canvas.setPen(ToQColor(kWhite));
  Canvas.drawText(x, y + Canvas.fontMetrics().ascent(), text);
  Canvas.setPen(pen);
}

// The grid of sample i (4, 8, ... 44) at chart column x: an hour line, an altitude
// line at y = x with its label, and the hour's local time. The altitude line that would
// hide the curve's present height (within 3 degrees) is left out.
void DrawGridStep(QPainter& Canvas, int i, int x, long double t, long double AltNow, const TimeZoneRules& Zone) {
  Canvas.setPen(i == kNowSample ? CanvasPen(kWhite, Qt::DashDotLine) : CanvasPen(kGrey, Qt::SolidLine));
  if (i != kNowSample) Canvas.drawLine(x, 10, x, H - 25);
  Canvas.setBrush(Qt::NoBrush);
  const int E = ChartGridAltitude(i);
  if (std::fabs(AltNow - E) > 3) Canvas.drawLine(55, RoundEven(i * kStep), W, RoundEven(i * kStep));
  DrawWhiteText(Canvas, 10, x - 6, FormatFixed(E, 2) + kDegree);
  DrawWhiteText(Canvas, x - 15, H - 20, TimeOfDayText(UtcToLocal(static_cast<double>(t), Zone)));
}

}  // namespace

int ChartGridAltitude(int i) {
  const int x = RoundEven(i * kStep);
  return RoundEven((90 - x * 15 / (4 * kStep)) * 1.2L);
}

ViewLabels DrawPolyLine(long double Instant, const MoonRecord& Record, const MoonViewOptions& Options,
                        const MoonViewServices& Services, const QImage& FrameJpeg, QImage& Image1) {
  ViewLabels labels;
  if (!InCoveredRange(Instant)) return labels;
  labels.CalendarDate = LocalCalendarDateOf(Instant, Services.Zone);

  EnsureBitmap(Image1, W, H);
  QPainter canvas(&Image1);
  QFont font = canvas.font();
  font.setPixelSize(11);
  canvas.setFont(font);
  FillBitmap(canvas, kSky);
  FillBitmapRect(canvas, kGround, RectLTRB(0, H / 2, W, H));
  DrawTwilightBands(canvas, QRect(0, 0, W, H / 2), static_cast<double>(Instant - 1), static_cast<double>(Instant + 1),
                    Options.Latitude, Options.Longitude);

  const long double AltNow = MoonAltAz(Instant, Options).Altitude;
  std::array<QPoint, kSamples> points;
  for (int i = 0; i < kSamples; ++i) {
    const long double t = Instant + i * kHour - 24 * kHour;
    const HorizontalPosition place = MoonAltAz(t, Options);
    points[i] = QPoint(RoundEven(i * kStep), RoundEven(H / 2.0L - place.Altitude * kPixelsPerDegree));
    if (i == kNowSample) {
      const QString text =
          FormatFixed(place.Altitude, 2) + kDegree + QStringLiteral("  ") + QLatin1String(CompassPoint(place.Azimuth));
      DrawWhiteText(canvas, 65, points[i].y() - 6, text);
      labels.StatusText = QStringLiteral(" ") + text + QStringLiteral(" = ") + FormatFixed(place.Azimuth, 2) + kDegree;
    }
    if (i % 4 == 0 && i != 0 && i != kSamples - 1) DrawGridStep(canvas, i, points[i].x(), t, AltNow, Services.Zone);
  }
  // The hours are the observer's: the zone is named by its offset at the instant.
  DrawWhiteText(canvas, 10, 12,
                QStringLiteral("Local time, ") +
                    UtcOffsetText(UtcOffsetHours(static_cast<double>(Instant), Services.Zone)));

  const long double q = Record.ParallacticAngle;
  const QPoint now = points[kNowSample];
  canvas.setPen(CanvasPen(kSilver, Qt::SolidLine));
  DrawTinyMoon(canvas, now.x() - 46, now.y() - 46, 0.125L, q, Record, Options, FrameJpeg, Services.Reporter);
  labels.ParallacticLab2 = LabelText{ParallacticRotatedText(q), kBlack};

  canvas.setPen(CanvasPen(kYellow, Qt::SolidLine));
  canvas.drawPolyline(points.data(), kSamples);
  canvas.setPen(CanvasPen(kRed, Qt::DotLine));
  canvas.drawLine(130, now.y(), W - 10, now.y());
  canvas.setPen(CanvasPen(kWhite, Qt::DashDotLine));
  canvas.drawLine(W / 2, 10, W / 2, H - 25);
  return labels;
}
