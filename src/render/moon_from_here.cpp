#include "render/moon_from_here.h"

#include <QPainter>
#include <cmath>

#include "render/bitmap_helpers.h"
#include "render/eclipse_shadow.h"
#include "render/feature_names.h"
#include "render/moon_view.h"

namespace {

// The record's geocentric values with the place's own, and the zenith's position
// angle as the turn: the Moon view's drawing then shows the Moon from the place.
MoonRecord SeenFromPlaceRecord(const MoonRecord& r) {
  MoonRecord seen = r;
  SetHourValues(seen, SeenFromPlace(HourValuesOf(r), r.Topocentric));
  seen.ParallacticAngle = r.Topocentric.Zenith;
  return seen;
}

// Mirrored about the disc's centre, pixel (W / 2, H / 2), as the overlays are
// drawn: QImage's mirror is about the picture's middle, half a pixel off it.
QImage MirroredAboutCentre(const QImage& picture, bool vertically) {
  QImage out(picture.size(), picture.format());
  out.fill(Qt::black);
  QPainter(&out).drawImage(QPoint(1, vertically ? 1 : 0), picture.mirrored(true, vertically));
  return out;
}

// The Moon view's options for the Moon from here: turned zenith up, and drawn north up
// in either hemisphere (so its names are placed north up too).
MoonViewOptions TurnedZenithUp(const MoonViewOptions& options) {
  MoonViewOptions turned = options;
  turned.RotateParallactic = true;
  turned.Latitude = std::fabs(options.Latitude);
  return turned;
}

QImage ThroughEyepiece(const QImage& picture, EyepieceImage eyepiece) {
  switch (eyepiece) {
    case EyepieceImage::StarDiagonal:
      return MirroredAboutCentre(picture, false);
    case EyepieceImage::StraightThrough:
      return MirroredAboutCentre(picture, true);
    case EyepieceImage::Upright:
      break;
  }
  return picture;
}

}  // namespace

QImage DrawMoonFrameFromHere(const MoonRecord& record) {
  return DrawEclipsedMoonFrame(SeenFromPlace(HourValuesOf(record), record.Topocentric), record.DateTime);
}

FeatureProjection FromHereProjection(const MoonRecord& Record, const MoonViewOptions& Options, QSize PictureSize,
                                     qreal DevicePixelRatio) {
  const MoonRecord seen = SeenFromPlaceRecord(Record);
  // The drawn frame fills the picture, whatever its size.
  PictureGeometry g = MoonViewGeometry(seen, TurnedZenithUp(Options), PictureSize, PictureSize);
  g.MirroredLeftRight = Options.Eyepiece != EyepieceImage::Upright;
  g.MirroredUpDown = Options.Eyepiece == EyepieceImage::StraightThrough;
  g.DevicePixelRatio = DevicePixelRatio;
  return FeatureProjection(HourValuesOf(seen), g);
}

LabelText DrawMoonFromHere(QImage& Bitmap, bool WideInset, const MoonRecord& Record, const MoonViewOptions& Options,
                           const QImage& FrameFromHere, BitmapErrorReporter& Reporter) {
  DrawBitmap(Bitmap, QPoint(0, 0), FrameFromHere);
  return DrawMoonFromHereOverlays(Bitmap, WideInset, Record, Options, ShownSize{}, Reporter);
}

LabelText DrawMoonFromHereOverlays(QImage& Bitmap, bool WideInset, const MoonRecord& Record,
                                   const MoonViewOptions& Options, const ShownSize& Shown,
                                   BitmapErrorReporter& Reporter) {
  MoonViewOptions turned = TurnedZenithUp(Options);
  turned.Names = false;  // written after the eyepiece has turned the picture, so they stay readable
  const LabelText label = DrawMoonOverlays(Bitmap, WideInset, SeenFromPlaceRecord(Record), turned, Shown, Reporter);
  Bitmap = ThroughEyepiece(Bitmap, Options.Eyepiece);
  if (Options.Names)
    DrawFeatureNames(Bitmap, FromHereProjection(Record, Options, Bitmap.size(), Shown.DevicePixelRatio),
                     HourValuesOf(Record));
  return label;
}
