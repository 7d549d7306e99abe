// "Moon from here": the drawn Moon in the topocentric geometry of the record's
// place (its sub-observer point, axis, diameter and phase), turned by the
// parallactic angle so that the picture's top is the observer's zenith, with the
// Moon view's overlays; a telescope's eyepiece may mirror or invert it.
#pragma once

#include <QImage>

#include "core/moon_record.h"
#include "render/feature_projection.h"
#include "render/view_options.h"

// The drawn frame of the hour as the place sees it: celestial north up, east left,
// like the Moon view's frame before it is turned, with the Earth's shadow in an eclipse.
QImage DrawMoonFrameFromHere(const MoonRecord& record);

// The view into Bitmap (24-bit, any size) from FrameFromHere, made by
// DrawMoonFrameFromHere; as DrawMoon draws the Moon view. Returns the text of ParallacticLab.
// Where the view DrawMoonFromHere draws into a picture of PictureSize puts the Moon's
// places: the Moon from the place turned zenith up, through the eyepiece chosen.
FeatureProjection FromHereProjection(const MoonRecord& Record, const MoonViewOptions& Options, QSize PictureSize,
                                     qreal DevicePixelRatio = 1);

LabelText DrawMoonFromHere(QImage& Bitmap, bool WideInset, const MoonRecord& Record, const MoonViewOptions& Options,
                           const QImage& FrameFromHere, BitmapErrorReporter& Reporter);
// The same over Bitmap holding FrameFromHere scaled to Shown, as DrawMoonOverlays.
LabelText DrawMoonFromHereOverlays(QImage& Bitmap, bool WideInset, const MoonRecord& Record,
                                   const MoonViewOptions& Options, const ShownSize& Shown,
                                   BitmapErrorReporter& Reporter);
