// The names on the Moon view at three picture sizes: no two labels overlap, none
// leaves the picture or names a feature on the far side, larger pictures name
// more, the small one names the seas first, the terminator's names stand out.
#include <gtest/gtest.h>

#include <QLineF>
#include <algorithm>

#include "astro/selenographic_sun.h"
#include "render/feature_labels.h"
#include "render/feature_names.h"
#include "support/render_gui_environment.h"

namespace {

// Near first quarter, with the south and north librations of the month.
MoonHourValues FirstQuarter() {
  MoonHourValues v;
  v.Diam = 1850;
  v.Elon = -4.2;
  v.Elat = 5.9;
  v.AxisA = 21.0;
  v.Slon = 88.0;
  v.Slat = 1.2;
  return v;
}

TEST(FeatureLabels, NeverOverlapAndGrowInNumberWithThePicture) {
  const MoonHourValues v = FirstQuarter();
  std::size_t before = 0;
  for (const int size : {216, 730, 1460}) {
    const FeatureProjection projection(v, PictureGeometry{size, {size, size}, false, 0});
    const std::vector<FeatureLabel> labels = PlaceFeatureLabels(projection, v);
    EXPECT_GT(labels.size(), before) << size;
    before = labels.size();
    const QRectF picture(0, 0, size, size);
    for (std::size_t i = 0; i < labels.size(); ++i) {
      const FeatureLabel& a = labels[i];
      EXPECT_TRUE(picture.contains(a.Box)) << a.Feature->Name;
      EXPECT_TRUE(projection.PixelOf(a.Feature->LatitudeDeg, a.Feature->LongitudeDeg)) << a.Feature->Name;
      const double sun = AltitudeOverPlaceDeg(a.Feature->LatitudeDeg, a.Feature->LongitudeDeg, v.Slat, v.Slon);
      EXPECT_EQ(a.Light, SunLightOf(sun)) << a.Feature->Name;
      for (std::size_t j = i + 1; j < labels.size(); ++j)
        EXPECT_FALSE(a.Box.intersects(labels[j].Box)) << a.Feature->Name << " / " << labels[j].Feature->Name;
    }
  }
}

TEST(FeatureLabels, TheSmallPictureNamesTheSeasAndTheTerminatorStandsOut) {
  const MoonHourValues v = FirstQuarter();
  const FeatureProjection small(v, PictureGeometry{216, {216, 216}, false, 0});
  const std::vector<FeatureLabel> labels = PlaceFeatureLabels(small, v);
  ASSERT_FALSE(labels.empty());
  EXPECT_EQ(labels.front().Feature->Kind == FeatureKind::Mare || labels.front().Feature->Kind == FeatureKind::Oceanus,
            true);
  for (const FeatureLabel& l : labels) EXPECT_GE(small.KmToPx(l.Feature->DiameterKm), kNamedFeatureMinPx / 2);
  // On the larger picture the terminator's features are named before the other craters.
  const FeatureProjection large(v, PictureGeometry{730, {730, 730}, false, 0});
  const std::vector<FeatureLabel> more = PlaceFeatureLabels(large, v);
  const auto firstOf = [&more](auto pick) { return std::ranges::find_if(more, pick) - more.begin(); };
  const auto terminator = firstOf([](const FeatureLabel& l) { return l.Light == SunLight::Terminator; });
  const auto otherCrater = firstOf([](const FeatureLabel& l) {
    return l.Light != SunLight::Terminator && l.Feature->Kind == FeatureKind::Crater;
  });
  EXPECT_LT(terminator, otherCrater);
  // The terminator's names are bold, the others not.
  EXPECT_TRUE(FeatureLabelFont(large, SunLight::Terminator).bold());
  EXPECT_FALSE(FeatureLabelFont(large, SunLight::Sunlit).bold());
}

// On a screen of two device pixels per pixel the picture of 730 pixels is 1460 device
// pixels: its labels are as large on the screen and name about as many features.
TEST(FeatureLabels, ADenseScreenKeepsTheLabelsLogicalSize) {
  const MoonHourValues v = FirstQuarter();
  PictureGeometry dense{1460, {1460, 1460}, false, 0};
  dense.DevicePixelRatio = 2;
  const FeatureProjection logical(v, PictureGeometry{730, {730, 730}, false, 0}), onDense(v, dense);
  EXPECT_EQ(FeatureLabelFont(onDense, SunLight::Sunlit).pixelSize(),
            2 * FeatureLabelFont(logical, SunLight::Sunlit).pixelSize());
  const double named = static_cast<double>(PlaceFeatureLabels(logical, v).size());
  EXPECT_NEAR(static_cast<double>(PlaceFeatureLabels(onDense, v).size()) / named, 1.0, 0.1);
}

// Written on a black picture, the names light pixels only in their boxes (with the
// outline's reach) and on the dots at the craters' centres.
TEST(FeatureNames, WritesTheLabelsItPlacesAndNothingElse) {
  const MoonHourValues v = FirstQuarter();
  const FeatureProjection projection(v, PictureGeometry{730, {730, 730}, true, 40});
  QImage picture(730, 730, QImage::Format_BGR888);
  picture.fill(Qt::black);
  const int written = DrawFeatureNames(picture, projection, v);
  const std::vector<FeatureLabel> labels = PlaceFeatureLabels(projection, v);
  EXPECT_EQ(written, static_cast<int>(labels.size()));
  const auto placed = [&labels](QPointF p) {
    return std::ranges::any_of(labels, [p](const FeatureLabel& l) {
      return l.Box.adjusted(-3, -3, 3, 3).contains(p) || QLineF(l.Anchor, p).length() < 4;
    });
  };
  int lit = 0;
  for (int y = 0; y < 730; ++y)
    for (int x = 0; x < 730; ++x) {
      if (qGray(picture.pixel(x, y)) < 40) continue;
      ++lit;
      EXPECT_TRUE(placed(QPointF(x, y))) << x << "," << y;
    }
  EXPECT_GT(lit, written * 10);  // every label leaves light strokes
}

// Find Feature's mark: drawn around a near-side feature, refused for a far-side one.
TEST(FeatureNames, MarksANearSideFeatureOnly) {
  const MoonHourValues v = FirstQuarter();
  const FeatureProjection projection(v, PictureGeometry{730, {730, 730}, false, 0});
  QImage picture(730, 730, QImage::Format_BGR888);
  picture.fill(Qt::black);
  EXPECT_FALSE(DrawFeatureMark(picture, projection, *FindLunarFeature("Tsiolkovskiy")));
  EXPECT_EQ(picture.pixel(0, 0), picture.pixel(365, 365));  // still all black
  const LunarFeature& tycho = *FindLunarFeature("Tycho");
  ASSERT_TRUE(DrawFeatureMark(picture, projection, tycho));
  // The ring passes through the point one radius east (to the right) of the centre.
  const QPointF at = *projection.PixelOf(tycho.LatitudeDeg, tycho.LongitudeDeg);
  const double radius = projection.KmToPx(tycho.DiameterKm) / 2;
  EXPECT_GT(qGray(picture.pixel(std::lround(at.x() + radius), std::lround(at.y()))), 100);
  EXPECT_LT(qGray(picture.pixel(std::lround(at.x()), std::lround(at.y()))), 40);  // the centre stays clear
}

}  // namespace
