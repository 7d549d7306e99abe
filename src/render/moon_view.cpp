#include "render/moon_view.h"

#include "core/covered_range.h"
#include "render/drawn_moon.h"
#include "render/feature_names.h"
#include "render/moon_from_here.h"
#include "render/rotate_bitmap.h"
#include "render/view_text.h"

namespace {

// The limb: NASA's 730-pixel frames show the Moon's disc Diam x 0.3439 + 9.7203
// pixels across (Diam in arcseconds), centred; 730 is the frame size whatever the bitmap.
void DrawLimbCircle(QPainter& Canvas, long double Diam, qreal LineWidth) {
  const long double r = (730 - (Diam * 0.3439L + 9.7203L)) / 2;
  const int nearEdge = RoundEven(r), farEdge = RoundEven(730 - r);
  Canvas.setBrush(Qt::NoBrush);
  QPen pen = CanvasPen(kGrey, Qt::SolidLine);
  pen.setWidthF(LineWidth);
  Canvas.setPen(pen);
  DrawEllipseLTRB(Canvas, nearEdge, nearEdge, farEdge, farEdge);
}

// The upright cross through the centre: the vertical and the horizon once the
// picture is turned by the parallactic angle.
void DrawCross(QPainter& Canvas, int width, int height, int inset, qreal LineWidth) {
  const int cx = width / 2, cy = height / 2;
  Canvas.setBrush(Qt::NoBrush);
  QPen pen = CanvasPen(kWhite, Qt::DashDotLine);
  pen.setWidthF(LineWidth);
  Canvas.setPen(pen);
  Canvas.drawLine(inset, cy, width - inset, cy);
  Canvas.drawLine(cx, inset, cx, height - inset);
}

}  // namespace

// The turn by the parallactic angle comes between the lines that turn with the
// picture and those that stay upright.
LabelText DrawMoonOverlays(QImage& Bitmap, bool WideInset, const MoonRecord& Record, const MoonViewOptions& Options,
                           const ShownSize& Shown, BitmapErrorReporter& Reporter) {
  const qreal k = Shown.PixelsPerUnit();
  // The axis lines are drawn in the bitmap's own pixels, through its centre.
  const auto axisPen = [&](ColorRef Color) {
    QPen p = CanvasPen(Color, Qt::DashDotLine);
    p.setWidthF(Shown.LineWidthUnits() * k);
    return p;
  };
  const int W = Bitmap.width(), H = Bitmap.height();
  if (Options.ShowLines) {
    // North of NASA's frame (celestial north up) and the Moon's axis, drawn
    // before the turning so that they turn with the picture.
    QPainter canvas(&Bitmap);
    canvas.setBrush(Qt::NoBrush);
    canvas.setPen(axisPen(kRed));
    DrawAxisLine(canvas, 0, W - 5 * k);
    canvas.setPen(axisPen(kBlue));
    DrawAxisLine(canvas, Record.AxisA, W - 5 * k);
  }
  LabelText label{QStringLiteral("Not Parallactic Rotated"), kBlack};
  if (Options.RotateParallactic) {
    label.Text = ParallacticRotatedText(Record.ParallacticAngle);
    RotateBitmap(Bitmap, true, kBlack, Record.ParallacticAngle, Reporter);
  }
  if (Options.ShowLines) {
    QPainter canvas(&Bitmap);
    canvas.scale(k, k);
    DrawLimbCircle(canvas, Record.Diam, Shown.LineWidthUnits());
    DrawCross(canvas, RoundEven(W / k), RoundEven(H / k), WideInset ? 10 : 5, Shown.LineWidthUnits());
  }
  if (Options.Names) {
    // The names go on last, upright, where the turned picture has put their features.
    // The frame fills the picture, whatever size it is drawn at.
    PictureGeometry geometry = MoonViewGeometry(Record, Options, Bitmap.size(), Bitmap.size());
    geometry.DevicePixelRatio = Shown.DevicePixelRatio;
    DrawFeatureNames(Bitmap, FeatureProjection(HourValuesOf(Record), geometry), HourValuesOf(Record));
  }
  return label;
}

ViewLabels ShowMoon(ViewKind View, long double Instant, const MoonRecord& Record, const MoonViewOptions& Options,
                    const MoonViewServices& Services, const QImage& FrameJpeg, const QImage& FrameTiff,
                    QImage& Image2) {
  ViewLabels labels;
  if (!InCoveredRange(Instant)) return labels;
  // "Moon from here" is always turned so that the zenith is up.
  labels.RotateBoxVisible = IsMoonView(View) && View != ViewKind::FromHere;
  labels.CalendarDate = LocalCalendarDateOf(Instant, Services.Zone);
  labels.UTCLab = LabelText{DateLabelText(Instant) + QStringLiteral("  UTC"), kBlack};
  const double local = UtcToLocal(static_cast<double>(Instant), Services.Zone);
  labels.LocLab = LabelText{DateLabelText(local) + QStringLiteral("  ") +
                               (Services.LocalName.isEmpty() ? QStringLiteral("Local") : Services.LocalName), kBlack};

  const ViewDescription& view = DescriptionOf(View);
  QImage bitmap;
  if (!IsMoonView(View)) {
    bitmap = NewBitmap(view.FrameSize.width(), view.FrameSize.height());
    DrawFancy(bitmap, view.Scale, FrameTiff, Services.Reporter);
  } else {
    bitmap = NewBitmap(Options.ImageSize.width(), Options.ImageSize.height());
    labels.ParallacticLab = View == ViewKind::FromHere
                                ? DrawMoonFromHere(bitmap, true, Record, Options, FrameJpeg, Services.Reporter)
                                : DrawMoon(bitmap, true, Record, Options, FrameJpeg, Services.Reporter);
  }
  EnsureBitmap(Image2, 730, 730);
  DrawBitmap(Image2, view.At, bitmap);
  return labels;
}

LabelText DrawMoon(QImage& Bitmap, bool WideInset, const MoonRecord& Record, const MoonViewOptions& Options,
                   const QImage& FrameJpeg, BitmapErrorReporter& Reporter) {
  DrawBitmap(Bitmap, QPoint(0, 0), FrameJpeg);
  return DrawMoonOverlays(Bitmap, WideInset, Record, Options, ShownSize{}, Reporter);
}

QImage DrawShownView(ViewKind View, const MoonRecord& Record, const MoonViewOptions& Options,
                     const QImage& FrameJpeg, const QImage& FrameTiff, const ShownSize& Shown,
                     BitmapErrorReporter& Reporter) {
  const qreal k = Shown.PixelsPerUnit();
  QImage picture = NewBitmap(Shown.DevicePixels(), Shown.DevicePixels());
  picture.fill(Qt::black);
  const ViewDescription& view = DescriptionOf(View);
  const QPoint at = (QPointF(view.At) * k).toPoint();
  if (IsMoonView(View)) {
    QImage moon = FrameJpeg.scaled(Options.ImageSize * k, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                      .convertToFormat(kBitmapFormat);
    if (View == ViewKind::FromHere)
      DrawMoonFromHereOverlays(moon, true, Record, Options, Shown, Reporter);
    else
      DrawMoonOverlays(moon, true, Record, Options, Shown, Reporter);
    DrawBitmap(picture, at, moon);
  } else if (!FrameTiff.isNull()) {
    const QSize size = (QSizeF(view.FrameSize) * static_cast<qreal>(view.Scale) * k).toSize();
    DrawBitmap(picture, at, FrameTiff.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
  }
  picture.setDevicePixelRatio(Shown.DevicePixelRatio);
  return picture;
}

void DrawFancy(QImage& Bitmap, long double Scale, const QImage& FrameTiff, BitmapErrorReporter& Reporter) {
  if (FrameTiff.isNull()) return;
  DrawBitmap(Bitmap, QPoint(0, 0), FrameTiff);
  if (Scale != 1.0L) ScaleBitmap(Bitmap, Scale, Reporter);
}

void DrawTinyMoon(QPainter& Canvas, int X, int Y, long double Scale, long double Angle, const MoonRecord& Record,
                  const MoonViewOptions& Options, const QImage& FrameJpeg, BitmapErrorReporter& Reporter,
                  qreal PixelsPerUnit) {
  QImage tiny = NewBitmap(730, 730);
  DrawBitmap(tiny, QPoint(0, 0), FrameJpeg);
  ScaleBitmap(tiny, Scale * PixelsPerUnit, Reporter);
  RotateBitmap(tiny, true, kBlack, Angle, Reporter);
  if (Options.ShowLines) {
    // Drawn after the turning, so the axis keeps its true direction on the turned disc.
    QPainter tinyCanvas(&tiny);
    QPen axis = CanvasPen(kBlue, Qt::SolidLine);
    axis.setWidthF(std::max<qreal>(1, Canvas.pen().widthF() * PixelsPerUnit));
    tinyCanvas.setPen(axis);
    DrawAxisLine(tinyCanvas, Record.AxisA - Angle, tiny.width());
  }
  const QSizeF onCanvas = QSizeF(tiny.size()) / PixelsPerUnit;
  Canvas.drawImage(QRectF(QPointF(X, Y), onCanvas), TransparentFromBottomLeft(tiny));
  if (Options.ShowLines) {
    // The limb of the 92-pixel disc; the brush is the canvas's own (clear in the chart).
    QPen pen = Canvas.pen();
    pen.setColor(ToQColor(kGrey));
    Canvas.setPen(pen);
    const int R = TruncateToInt(44.197L - Record.Diam * 0.021L - 1.2L);
    DrawEllipseLTRB(Canvas, X + R, Y + R, X + 90 - R, Y + 90 - R);
  }
}
