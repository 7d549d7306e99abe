// Which feature names the Moon view writes, and where: the largest features that
// the picture has room for (the seas and the biggest craters on a small picture,
// more as it grows), each label where it overlaps no other and stays inside the
// picture, nothing on the far side. Features near the terminator are named down to
// a smaller size and come right after the seas, since relief shows there.
#pragma once

#include <QFont>
#include <QRectF>
#include <vector>

#include "astro/lunar_features.h"
#include "astro/selenographic_sun.h"
#include "render/feature_projection.h"

struct FeatureLabel {
  const LunarFeature* Feature = nullptr;
  QPointF Anchor;   // the feature's centre on the picture, pixels
  QRectF Box;       // the text's box, pixels
  bool Marked = false;  // a dot marks the centre (craters), the text beside it
  SunLight Light = SunLight::Sunlit;
};

// A feature is named when it spans at least this many pixels on the picture (half
// as many on the terminator).
inline constexpr double kNamedFeatureMinPx = 20.0;

// A label's font for a disc of that radius: larger pictures get larger text, the
// terminator's names bold.
QFont FeatureLabelFont(const FeatureProjection& projection, SunLight light);

// The labels of the hour, in order of importance, each box measured in its font;
// no two boxes intersect.
std::vector<FeatureLabel> PlaceFeatureLabels(const FeatureProjection& projection, const MoonHourValues& values);
