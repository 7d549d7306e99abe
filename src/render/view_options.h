// What the Moon view and the altitude chart are drawn with and what they hand
// back to the main window. The drawing functions never touch a widget: the window
// passes its state in and applies the returned ViewLabels to its controls.
#pragma once

#include <QDate>
#include <QImage>
#include <QSize>
#include <QString>
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
  long double Latitude = kDefaultLatitude;    // observer, degrees north
  long double Longitude = kDefaultLongitude;  // observer, degrees east
  long double CurrentDateTime = 45292.0L;  // displayed instant (UTC): year and hour of NASA's TIFF frames
  QSize ImageSize{730, 730};          // the Moon view's drawing size
  EyepieceImage Eyepiece = EyepieceImage::Upright;  // "Moon from here" only
};

// The outside services the views reach through.
struct MoonViewServices {
  const TimeZoneRules& Zone;      // local time of LocLab
  BitmapErrorReporter& Reporter;  // messages of the bitmap mapper
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
