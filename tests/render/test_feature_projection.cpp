// Where the Moon view puts a feature, checked against the orthographic projection
// worked out here another way (Snyder, Map Projections, eq. 20-3, 20-4, then the
// axis angle, the south series' half turn and the parallactic turn), against a dot
// turned by the program's own bitmap turning, and back again from pixel to place.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "astro/lunar_features.h"
#include "render/feature_projection.h"
#include "render/feature_under_pointer.h"
#include "render/rotate_bitmap.h"
#include "support/render_support.h"

namespace {

constexpr double kDeg = std::numbers::pi / 180;

struct Hour {
  double Elon, Elat, AxisA, Diam;
};

// Librations and axis angles spanning what the Moon shows (|Elon| <= 8, |Elat| <= 7).
constexpr Hour kHours[] = {{0, 0, 0, 1800}, {-7.5, 6.5, 20.7, 1960}, {6.2, -6.8, 339.4, 1770}, {3.1, 2.4, 2.0, 1880}};

MoonHourValues ValuesOf(const Hour& h) {
  MoonHourValues v;
  v.Elon = h.Elon;
  v.Elat = h.Elat;
  v.AxisA = h.AxisA;
  v.Diam = h.Diam;
  v.Slon = 30;
  return v;
}

struct Expected {
  double Col, Row;
  bool Visible;
};

Expected Reference(const Hour& h, double lat, double lon, const PictureGeometry& g) {
  const double phi = lat * kDeg, phi0 = h.Elat * kDeg, dl = (lon - h.Elon) * kDeg;
  const double east = std::cos(phi) * std::sin(dl);  // toward selenographic east: right on NASA's frames
  const double north = std::cos(phi0) * std::sin(phi) - std::sin(phi0) * std::cos(phi) * std::cos(dl);
  const double cosc = std::sin(phi0) * std::sin(phi) + std::cos(phi0) * std::cos(phi) * std::cos(dl);
  // The pole stands at position angle AxisA, counted from north through east (left).
  const double a = h.AxisA * kDeg;
  const double x = east * std::cos(a) - north * std::sin(a), y = east * std::sin(a) + north * std::cos(a);
  const double scale = g.FrameSizePx / 730.0, radius = (h.Diam * 0.3439 + 9.7203) / 2 * scale;
  double col = 365 * scale + radius * x, row = 365 * scale - radius * y;
  if (g.SouthUp) col = g.FrameSizePx - 1 - col, row = g.FrameSizePx - 1 - row;
  const double cx = (g.PictureSize.width() - 1) / 2.0, cy = (g.PictureSize.height() - 1) / 2.0;
  const double q = g.TurnDeg * kDeg, dx = col - cx, dy = row - cy;
  return {cx + dx * std::cos(q) - dy * std::sin(q), cy + dx * std::sin(q) + dy * std::cos(q), cosc > 0};
}

const char* const kFeatures[] = {"Copernicus", "Tycho",     "Plato",       "Mare Crisium", "Statio Tranquillitatis",
                                 "Grimaldi",   "Endymion", "Tsiolkovskiy", "Mare Orientale"};

const PictureGeometry kPictures[] = {
    {730, {730, 730}, false, 0},     {730, {730, 730}, true, 0},   {730, {730, 730}, false, 37.5},
    {730, {730, 730}, true, 251.0}, {216, {216, 216}, false, 0},  {1460, {1460, 1460}, true, -12.0},
};

TEST(FeatureProjection, PutsFeaturesWhereTheOrthographicProjectionDoes) {
  for (const Hour& h : kHours)
    for (const PictureGeometry& g : kPictures) {
      const FeatureProjection projection(ValuesOf(h), g);
      for (const char* name : kFeatures) {
        const LunarFeature* f = FindLunarFeature(name);
        ASSERT_NE(f, nullptr) << name;
        const Expected e = Reference(h, f->LatitudeDeg, f->LongitudeDeg, g);
        const std::optional<QPointF> p = projection.PixelOf(f->LatitudeDeg, f->LongitudeDeg);
        ASSERT_EQ(p.has_value(), e.Visible) << name << " Elon " << h.Elon;
        if (!p) continue;
        // The contract is one pixel; far less shows the two constructions agree.
        EXPECT_NEAR(p->x(), e.Col, 1e-6) << name << " Elon " << h.Elon << " turn " << g.TurnDeg;
        EXPECT_NEAR(p->y(), e.Row, 1e-6) << name << " Elon " << h.Elon << " turn " << g.TurnDeg;
      }
    }
}

// A picture whose pixels name their own place, half turned (south) and turned by
// the program's bitmap turning: at the pixel the projection gives for the turned
// picture it shows the frame's pixel of the feature.
TEST(FeatureProjection, FollowsThePictureTurnedByTheProgram) {
  const MoonHourValues v = ValuesOf(kHours[1]);
  const LunarFeature* f = FindLunarFeature("Tycho");
  const QPointF inFrame = *FeatureProjection(v, kPictures[0]).PixelOf(f->LatitudeDeg, f->LongitudeDeg);
  for (const bool south : {false, true})
    for (const double turn : {0.0, 33.0, 200.0}) {
      QImage picture = MakeCoordinateBitmap(730, 730);
      if (south) picture = picture.mirrored(true, true);
      RecordingBitmapErrorReporter reporter;
      ASSERT_TRUE(RotateBitmap(picture, true, kBlack, turn, reporter));
      const QPointF at =
          *FeatureProjection(v, PictureGeometry{730, {730, 730}, south, turn}).PixelOf(f->LatitudeDeg, f->LongitudeDeg);
      // The pixels keep their frame's place through the half turn and the turning.
      const QPoint source = CoordinateOf(PixelAt(picture, std::lround(at.x()), std::lround(at.y())));
      // One pixel: the promise, and the turning's own whole-pixel sampling.
      EXPECT_NEAR(source.x(), inFrame.x(), 1.5) << "south " << south << " turn " << turn;
      EXPECT_NEAR(source.y(), inFrame.y(), 1.5) << "south " << south << " turn " << turn;
    }
}

TEST(FeatureUnderPointer, NamesTheFeatureAtItsPixelAndThePlaceElsewhere) {
  for (const PictureGeometry& g : kPictures) {
    const MoonHourValues v = ValuesOf(kHours[2]);
    const FeatureProjection projection(v, g);
    for (const char* name : {"Copernicus", "Plato", "Mare Crisium", "Statio Tranquillitatis"}) {
      const LunarFeature* f = FindLunarFeature(name);
      const std::optional<PointerPlace> p = PlaceUnderPointer(projection, v, *projection.PixelOf(f->LatitudeDeg, f->LongitudeDeg));
      ASSERT_TRUE(p.has_value()) << name;
      ASSERT_NE(p->Feature, nullptr) << name;
      EXPECT_STREQ(p->Feature->Name, name) << "turn " << g.TurnDeg;
      // Pixel to place and back: a hundredth of a degree is under a tenth of a pixel.
      EXPECT_NEAR(p->Place.LatitudeDeg, f->LatitudeDeg, 0.01) << name;
      EXPECT_NEAR(p->Place.LongitudeDeg, f->LongitudeDeg, 0.01) << name;
    }
    EXPECT_FALSE(PlaceUnderPointer(projection, v, QPointF(1, 1)).has_value());
  }
}

// A place 32 km from the rim of any named feature (between Sinus Medii and Mare Insularum).
constexpr double kOpenLat = 0, kOpenLon = -12;

// What the status bar says over Copernicus a day after first quarter (the Sun
// asin(cos 9.6209 cos(-20.0786 - 60)) = 9.7801 degrees up, worked by hand), and
// over a place that no named feature covers.
TEST(FeatureUnderPointer, SaysWhatIsThereAndHowTheSunStandsOverIt) {
  MoonHourValues v = ValuesOf(kHours[0]);
  v.Slon = 60;
  const FeatureProjection projection(v, kPictures[0]);
  const LunarFeature* f = FindLunarFeature("Copernicus");
  const std::optional<PointerPlace> p =
      PlaceUnderPointer(projection, v, *projection.PixelOf(f->LatitudeDeg, f->LongitudeDeg));
  ASSERT_TRUE(p.has_value());
  EXPECT_EQ(PointerPlaceText(*p).toStdString(),
            "Copernicus, crater, 96.1 km, 9.62\u00B0 N 20.08\u00B0 W, Sun 9.78\u00B0, sunlit");
  const std::optional<PointerPlace> open = PlaceUnderPointer(projection, v, *projection.PixelOf(kOpenLat, kOpenLon));
  ASSERT_TRUE(open.has_value());
  EXPECT_EQ(open->Feature, nullptr);
  EXPECT_TRUE(PointerPlaceText(*open).startsWith(SelenographicText(kOpenLat, kOpenLon) + ", Sun "));
}

}  // namespace
