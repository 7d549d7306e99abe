// Where places on the Moon lie on a picture of the Moon view, and what lies under a
// pixel of it. The frame shows the orthographic disc of the hour as NASA's frames do
// (celestial north up, east left, centred, Diam x 0.3439 + 9.7203 pixels across at
// 730 pixels and in proportion at other sizes); the south series shows it turned by
// 180 degrees; the frame is drawn at (0, 0) into the picture, which may then be
// turned clockwise by the parallactic angle about its centre. Pixel coordinates are
// (column, row) of pixel centres: (0, 0) is the centre of the top-left pixel.
#pragma once

#include <QPointF>
#include <QSize>
#include <optional>

#include "astro/moon_hour_values.h"
#include "core/moon_record.h"
#include "render/moon_globe.h"
#include "render/view_options.h"

// The IAU mean radius, the one NASA's Diam is computed with.
inline constexpr double kMoonRadiusKm = 1737.4;

struct PictureGeometry {
  int FrameSizePx = 730;       // the frame's side
  QSize PictureSize{730, 730};  // the picture the frame is drawn into
  bool SouthUp = false;        // the south series
  double TurnDeg = 0;          // clockwise turn of the picture about its centre
  // Then mirrored about column W / 2 (a star diagonal) and row H / 2 (both: straight through).
  bool MirroredLeftRight = false;
  bool MirroredUpDown = false;
  // Device pixels per logical pixel of the screen the picture is shown on: its labels
  // keep their logical size on a dense screen.
  double DevicePixelRatio = 1;
};

// The geometry DrawMoon gives its picture: the frame's size (730 when there is no
// frame), the observer's hemisphere and, when the view is turned, the parallactic angle.
PictureGeometry MoonViewGeometry(const MoonRecord& record, const MoonViewOptions& options, QSize frameSize,
                                 QSize pictureSize);

struct SelenographicPlace {
  double LatitudeDeg = 0;   // north positive
  double LongitudeDeg = 0;  // east positive, -180 ... 180
};

class FeatureProjection {
 public:
  FeatureProjection(const MoonHourValues& values, const PictureGeometry& picture);

  // The pixel of a selenographic place; none on the far side (behind the limb).
  std::optional<QPointF> PixelOf(double latDeg, double lonDeg) const;
  // The place under a pixel; none off the disc.
  std::optional<SelenographicPlace> PlaceAt(QPointF pixel) const;

  double DiscRadiusPx() const { return RadiusPx; }
  // A length on the Moon's surface in pixels, at the centre of the disc.
  double KmToPx(double km) const;
  const MoonGlobe& Globe() const { return GlobeView; }
  QSize PictureSize() const { return Picture.PictureSize; }
  double DevicePixelRatio() const { return Picture.DevicePixelRatio; }

 private:
  // Frame pixel to picture pixel and back: the south series' half turn, then the picture's turn.
  QPointF ToPicture(QPointF framePixel) const;
  QPointF ToFrame(QPointF picturePixel) const;
  QPointF Mirrored(QPointF picturePixel) const;  // its own inverse

  MoonGlobe GlobeView;
  PictureGeometry Picture;
  double CentrePx = 365, RadiusPx = 0;
};
