// The names of the Moon's features written on a picture of the Moon view, readable
// on the bright disc and on the black sky: light text with a dark outline, a dot on
// a crater's centre, features on the terminator in bold amber, those in the night
// in a dimmer blue-grey.
#pragma once

#include <QImage>

#include "render/feature_labels.h"

// Writes the labels that PlaceFeatureLabels chooses onto Picture (whose geometry
// the projection describes). Returns how many it wrote.
int DrawFeatureNames(QImage& Picture, const FeatureProjection& projection, const MoonHourValues& values);

// Marks one feature (the one Find Feature found): a ring of its size, at least 8
// pixels across, and its name beside it. Nothing when it lies on the far side;
// returns whether it was marked.
bool DrawFeatureMark(QImage& Picture, const FeatureProjection& projection, const LunarFeature& feature);
