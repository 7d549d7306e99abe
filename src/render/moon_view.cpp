#include "render/moon_view.h"

#include "core/covered_range.h"
#include "render/moon_from_here.h"
#include "render/rotate_bitmap.h"
#include "render/view_text.h"

namespace {

// The limb: NASA's 730-pixel frames show the Moon's disc Diam x 0.3439 + 9.7203
// pixels across (Diam in arcseconds), centred; 730 is the frame size whatever the bitmap.
void DrawLimbCircle(QPainter& Canvas, long double Diam) {
  const long double r = (730 - (Diam * 0.3439L + 9.7203L)) / 2;
  const int nearEdge = RoundEven(r), farEdge = RoundEven(730 - r);
  Canvas.setBrush(Qt::NoBrush);
  Canvas.setPen(CanvasPen(kGrey, Qt::SolidLine));
  DrawEllipseLTRB(Canvas, nearEdge, nearEdge, farEdge, farEdge);
}

// The upright cross through the centre: the vertical and the horizon once the
// picture is turned by the parallactic angle.
void DrawCross(QPainter& Canvas, int width, int height, int inset) {
  const int cx = width / 2, cy = height / 2;
  Canvas.setBrush(Qt::NoBrush);
  Canvas.setPen(CanvasPen(kWhite, Qt::DashDotLine));
  Canvas.drawLine(inset, cy, width - inset, cy);
  Canvas.drawLine(cx, inset, cx, height - inset);
}

}  // namespace

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
  labels.LocLab = LabelText{DateLabelText(local) + QStringLiteral("  Local"), kBlack};

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
  const int W = Bitmap.width(), H = Bitmap.height();
  if (Options.ShowLines) {
    // North of NASA's frame (celestial north up) and the Moon's axis, drawn
    // before the turning so that they turn with the picture.
    QPainter canvas(&Bitmap);
    canvas.setBrush(Qt::NoBrush);
    canvas.setPen(CanvasPen(kRed, Qt::DashDotLine));
    DrawAxisLine(canvas, 0, W - 5);
    canvas.setPen(CanvasPen(kBlue, Qt::DashDotLine));
    DrawAxisLine(canvas, Record.AxisA, W - 5);
  }
  LabelText label{QStringLiteral("Not Parallactic Rotated"), kBlack};
  if (Options.RotateParallactic) {
    label.Text = ParallacticRotatedText(Record.ParallacticAngle);
    RotateBitmap(Bitmap, true, kBlack, Record.ParallacticAngle, Reporter);
  }
  if (Options.ShowLines) {
    QPainter canvas(&Bitmap);
    DrawLimbCircle(canvas, Record.Diam);
    DrawCross(canvas, W, H, WideInset ? 10 : 5);
  }
  return label;
}

void DrawFancy(QImage& Bitmap, long double Scale, const QImage& FrameTiff, BitmapErrorReporter& Reporter) {
  if (FrameTiff.isNull()) return;
  DrawBitmap(Bitmap, QPoint(0, 0), FrameTiff);
  if (Scale != 1.0L) ScaleBitmap(Bitmap, Scale, Reporter);
}

void DrawTinyMoon(QPainter& Canvas, int X, int Y, long double Scale, long double Angle, const MoonRecord& Record,
                  const MoonViewOptions& Options, const QImage& FrameJpeg, BitmapErrorReporter& Reporter) {
  QImage tiny = NewBitmap(730, 730);
  DrawBitmap(tiny, QPoint(0, 0), FrameJpeg);
  ScaleBitmap(tiny, Scale, Reporter);
  RotateBitmap(tiny, true, kBlack, Angle, Reporter);
  if (Options.ShowLines) {
    // Drawn after the turning, so the axis keeps its true direction on the turned disc.
    QPainter tinyCanvas(&tiny);
    tinyCanvas.setPen(CanvasPen(kBlue, Qt::SolidLine));
    DrawAxisLine(tinyCanvas, Record.AxisA - Angle, tiny.width());
  }
  Canvas.drawImage(X, Y, TransparentFromBottomLeft(tiny));
  if (Options.ShowLines) {
    // The limb of the 92-pixel disc; the brush is the canvas's own (clear in the chart).
    QPen pen = Canvas.pen();
    pen.setColor(ToQColor(kGrey));
    Canvas.setPen(pen);
    const int R = TruncateToInt(44.197L - Record.Diam * 0.021L - 1.2L);
    DrawEllipseLTRB(Canvas, X + R, Y + R, X + 90 - R, Y + 90 - R);
  }
}
