// What the Moon view and the altitude chart are drawn with and what they hand
// back to the main window. The drawing functions never touch a widget: the window
// passes its state in and applies the returned ViewLabels to its controls.
#pragma once

#include <QDate>
#include <QImage>
#include <QSize>
#include <QString>
#include <algorithm>
#include <cmath>
#include <optional>

#include "astro/default_place.h"
#include "astro/time_scales.h"
#include "render/bitmap_color.h"
#include "render/bitmap_error_reporter.h"

// How "Moon from here" shows the picture: as the eye sees it, or as a telescope
// does with a star diagonal (mirror-reversed) or straight through (turned 180 degrees).
enum class EyepieceImage { Upright, StarDiagonal, StraightThrough };

// The window's options, read at drawing time.
struct MoonViewOptions {
  bool ShowLines = true;              // "Show Lines": all overlay lines and circles
  bool RotateParallactic = false;     // "Rotate Parallactic": turn the Moon view by q
  bool Names = false;                 // "Names": the features' names on the Moon view
  long double Latitude = kDefaultLatitude;    // observer, degrees north
  long double Longitude = kDefaultLongitude;  // observer, degrees east
  QSize ImageSize{730, 730};          // the Moon view's drawing size
  EyepieceImage Eyepiece = EyepieceImage::Upright;  // "Moon from here" only
};

// The square box a picture is shown in: its side in the window's logical pixels and
// the screen's device pixels per logical pixel. The views are laid out on the
// 730-pixel picture; drawn for a box they are that layout scaled to it, with lines
// and text kept legible however small the box.
struct ShownSize {
  int Side = 730;
  qreal DevicePixelRatio = 1;

  // The picture's side in device pixels.
  int DevicePixels() const { return std::max(1, static_cast<int>(std::lround(Side * DevicePixelRatio))); }
  // Device pixels per pixel of the 730-pixel layout.
  qreal PixelsPerUnit() const { return DevicePixels() / 730.0; }
  // The width of an overlay line in layout pixels: one logical pixel at the least,
  // growing with the picture above 730.
  qreal LineWidthUnits() const { return std::max<qreal>(DevicePixelRatio, PixelsPerUnit()) / PixelsPerUnit(); }
};

// The outside services the views reach through.
struct MoonViewServices {
  const TimeZoneRules& Zone;      // local time of LocLab
  BitmapErrorReporter& Reporter;  // messages of the bitmap mapper
  // How local times are named: the window names the place's zone
  // ("Local (Asia/Tokyo, UTC+09:00)"); empty, they are "Local", the chart giving the offset.
  QString LocalName{};
};

// A label's new text and colour.
struct LabelText {
  QString Text;
  ColorRef TextColor = kBlack;
};

// What a drawing call changes in the window besides the pictures. Every member is
// empty when the call leaves that control as it is (all of them outside the covered range).
struct ViewLabels {
  std::optional<QDate> CalendarDate;  // MonthCal
  std::optional<bool> RotateBoxVisible;
  std::optional<LabelText> UTCLab;
  std::optional<LabelText> LocLab;
  std::optional<LabelText> ParallacticLab;   // under the right picture
  std::optional<LabelText> ParallacticLab2;  // under the left picture
  std::optional<QString> StatusText;         // the status bar's single text
};
