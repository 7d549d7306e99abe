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

constexpr int W = 730, H = 730;         // the layout's size, whatever the picture's
constexpr long double kStep = W / 48.0L;  // pixels per hour
constexpr long double kHour = 1.0L / 24;
constexpr long double kPixelsPerDegree = 3.4L;
constexpr int kHours = 49;              // grid columns, one an hour, from 24 hours before to 24 after
constexpr int kNowHour = 24;
// Ten-minute samples: the curve's highs and lows are round, not the corners of hourly chords.
constexpr int kSamplesPerHour = 6;
constexpr int kSamples = 48 * kSamplesPerHour + 1;
constexpr int kTextPixels = 11;        // the labels' size on the 730-pixel chart
constexpr qreal kLeastTextPixels = 9;  // logical pixels on the screen, however small the chart
constexpr int kLabelGap = 5;

// Topocentric place of the Moon's centre for the observer, no refraction.
HorizontalPosition MoonAltAz(long double t, const MoonViewOptions& Options) {
  const MoonPositionRecord m = MoonPosition(static_cast<double>(t));
  return TopocentricAltAz(static_cast<double>(t), m.RightAscension, m.Declination, m.HorizontalParallax,
                          Options.Latitude, Options.Longitude, 0);
}

long double CurveY(long double Altitude) { return H / 2.0L - Altitude * kPixelsPerDegree; }

// The canvas on the 730-pixel layout, with the line width and the text metrics of the picture's size.
struct ChartCanvas {
  QPainter& Canvas;
  qreal LineWidth;
  int AltitudeLinesLeft;  // right of the altitude labels
  bool EveryOtherHourLabel;  // when the hour labels would touch

  void SetPen(ColorRef Color, Qt::PenStyle Style) {
    QPen pen = CanvasPen(Color, Style);
    pen.setWidthF(LineWidth);
    Canvas.setPen(pen);
  }

  int TextHeight() const { return Canvas.fontMetrics().height(); }
  int TextWidth(const QString& text) const { return Canvas.fontMetrics().horizontalAdvance(text); }

  // Text with its cell's top-left corner at (x, y), in white.
  void WhiteText(int x, int y, const QString& text) {
    const QPen pen = Canvas.pen();
    Canvas.setPen(ToQColor(kWhite));
    Canvas.drawText(x, y + Canvas.fontMetrics().ascent(), text);
    Canvas.setPen(pen);
  }
};

ChartCanvas MakeChartCanvas(QPainter& Canvas, const ShownSize& Shown) {
  Canvas.scale(Shown.PixelsPerUnit(), Shown.PixelsPerUnit());
  QFont font = Canvas.font();
  const qreal leastUnits = kLeastTextPixels * Shown.DevicePixelRatio / Shown.PixelsPerUnit();
  font.setPixelSize(std::max(kTextPixels, static_cast<int>(std::ceil(leastUnits))));
  Canvas.setFont(font);
  const QFontMetrics metrics = Canvas.fontMetrics();
  const int altitudeLabels = metrics.horizontalAdvance(QStringLiteral("-90.00") + kDegree);
  const int hourLabel = metrics.horizontalAdvance(QStringLiteral("00:00"));
  return ChartCanvas{Canvas, Shown.LineWidthUnits(), std::max(55, 10 + altitudeLabels + kLabelGap),
                     hourLabel + 2 * kLabelGap > 4 * kStep};
}

// The sky above the horizon and the ground below it: everything else is drawn on them.
void DrawChartBackground(QPainter& Canvas, long double Instant, const MoonViewOptions& Options) {
  FillBitmapRect(Canvas, kSky, RectLTRB(0, 0, W, H / 2));
  FillBitmapRect(Canvas, kGround, RectLTRB(0, H / 2, W, H));
  DrawTwilightBands(Canvas, QRect(0, 0, W, H / 2), static_cast<double>(Instant - 1), static_cast<double>(Instant + 1),
                    Options.Latitude, Options.Longitude);
}

// The grid of hour i (4, 8, ... 44) at chart column x: an hour line, an altitude line
// at y = x with its label, and the hour's local time. The altitude line that would hide
// the curve's present height (within 3 degrees) is left out.
void DrawGridStep(ChartCanvas& Chart, int i, int x, long double t, long double AltNow, const TimeZoneRules& Zone) {
  QPainter& canvas = Chart.Canvas;
  Chart.SetPen(i == kNowHour ? kWhite : kGrey, i == kNowHour ? Qt::DashDotLine : Qt::SolidLine);
  if (i != kNowHour) canvas.drawLine(x, 10, x, H - 25);
  canvas.setBrush(Qt::NoBrush);
  const int E = ChartGridAltitude(i);
  const int y = RoundEven(i * kStep);
  if (std::fabs(AltNow - E) > 3) canvas.drawLine(Chart.AltitudeLinesLeft, y, W, y);
  Chart.WhiteText(10, y - Chart.TextHeight() / 2, FormatFixed(E, 2) + kDegree);
  if (Chart.EveryOtherHourLabel && i % 8 != 0) return;
  const QString hour = TimeOfDayText(UtcToLocal(static_cast<double>(t), Zone));
  Chart.WhiteText(x - Chart.TextWidth(hour) / 2, std::min(H - 20, H - 2 - Chart.TextHeight()), hour);
}

}  // namespace

int ChartGridAltitude(int i) {
  const int x = RoundEven(i * kStep);
  return RoundEven((90 - x * 15 / (4 * kStep)) * 1.2L);
}

ChartPicture DrawAltitudeChart(long double Instant, const MoonRecord& Record, const MoonViewOptions& Options,
                               const MoonViewServices& Services, const QImage& FrameJpeg, const ShownSize& Shown) {
  ChartPicture chart;
  if (!InCoveredRange(Instant)) return chart;
  ViewLabels& labels = chart.Labels;
  labels.CalendarDate = LocalCalendarDateOf(Instant, Services.Zone);

  chart.Picture = NewBitmap(Shown.DevicePixels(), Shown.DevicePixels());
  QPainter canvas(&chart.Picture);
  ChartCanvas Chart = MakeChartCanvas(canvas, Shown);
  DrawChartBackground(canvas, Instant, Options);

  const HorizontalPosition now = MoonAltAz(Instant, Options);
  const QPoint nowPoint(RoundEven(kNowHour * kStep), RoundEven(CurveY(now.Altitude)));
  for (int i = 4; i < kHours - 1; i += 4)
    DrawGridStep(Chart, i, RoundEven(i * kStep), Instant + (i - kNowHour) * kHour, now.Altitude, Services.Zone);
  const QString nowText =
      FormatFixed(now.Altitude, 2) + kDegree + QStringLiteral("  ") + QLatin1String(CompassPoint(now.Azimuth));
  const int nowTextLeft = Chart.AltitudeLinesLeft + 10;
  Chart.WhiteText(nowTextLeft, nowPoint.y() - Chart.TextHeight() / 2, nowText);
  labels.StatusText = QStringLiteral(" ") + nowText + QStringLiteral(" = ") + FormatFixed(now.Azimuth, 2) + kDegree;
  // The hours are the observer's: the zone is named, else given by its offset at the instant.
  Chart.WhiteText(10, 12,
                  Services.LocalName.isEmpty()
                      ? QStringLiteral("Local time, ") +
                            UtcOffsetText(UtcOffsetHours(static_cast<double>(Instant), Services.Zone))
                      : Services.LocalName);

  const long double q = Record.ParallacticAngle;
  Chart.SetPen(kSilver, Qt::SolidLine);
  DrawTinyMoon(canvas, nowPoint.x() - 46, nowPoint.y() - 46, 0.125L, q, Record, Options, FrameJpeg,
               Services.Reporter, Shown.PixelsPerUnit());
  labels.ParallacticLab2 = LabelText{ParallacticRotatedText(q), kBlack};

  std::array<QPointF, kSamples> curve;
  for (int i = 0; i < kSamples; ++i) {
    const long double hours = static_cast<long double>(i) / kSamplesPerHour;
    const long double t = Instant + (hours - kNowHour) * kHour;
    curve[i] = QPointF(static_cast<qreal>(hours * kStep), static_cast<qreal>(CurveY(MoonAltAz(t, Options).Altitude)));
  }
  Chart.SetPen(kYellow, Qt::SolidLine);
  canvas.drawPolyline(curve.data(), kSamples);
  Chart.SetPen(kRed, Qt::DotLine);
  canvas.drawLine(std::max(130, nowTextLeft + Chart.TextWidth(nowText) + kLabelGap), nowPoint.y(), W - 10,
                  nowPoint.y());
  Chart.SetPen(kWhite, Qt::DashDotLine);
  canvas.drawLine(W / 2, 10, W / 2, H - 25);
  canvas.end();
  chart.Picture.setDevicePixelRatio(Shown.DevicePixelRatio);
  return chart;
}

ViewLabels DrawPolyLine(long double Instant, const MoonRecord& Record, const MoonViewOptions& Options,
                        const MoonViewServices& Services, const QImage& FrameJpeg, QImage& Image1) {
  ChartPicture chart = DrawAltitudeChart(Instant, Record, Options, Services, FrameJpeg, ShownSize{});
  if (!chart.Picture.isNull()) Image1 = chart.Picture;
  return chart.Labels;
}
