// "Moon from here": the picture is the place's frame turned so that the zenith is
// at the top, mirrored by a star diagonal and turned half a turn straight through
// (followed by the sunlit side's direction); the disc has the place's diameter.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "astro/topocentric_moon.h"
#include "nasa/nasa_tables.h"
#include "render/drawn_moon.h"
#include "render/moon_from_here.h"
#include "render/moon_view.h"
#include "support/render_support.h"

namespace {

constexpr double kDeg = std::numbers::pi / 180;
constexpr int kSunlitGreen = 30;

// NASA's row r of the year seen from the place.
MoonRecord RecordFrom(int r, const ObserverPlace& place, int year = 2024) {
  const NasaHourRecord row = NasaRecord(*NasaTableOf(year), r);
  MoonRecord record;
  SetHourValues(record, HourValuesOf(row));
  record.DateTime = row.DateTime;
  record.Topocentric = TopocentricMoon(HourValuesOf(row), row.DateTime, place);
  return record;
}

struct SunlitSide {
  double AngleDeg;  // counterclockwise from the picture's top
  double Pixels;
};

SunlitSide SunlitSideOf(const QImage& picture) {
  double cx = 0, cy = 0, n = 0;
  for (int row = 0; row < picture.height(); ++row)
    for (int col = 0; col < picture.width(); ++col)
      if (picture.constScanLine(row)[3 * col + 1] > kSunlitGreen) {
        cx += col - picture.width() / 2.0, cy += picture.height() / 2.0 - row, ++n;
      }
  return {std::atan2(-cx, cy) / kDeg, n};
}

double AngleBetween(double a, double b) { return std::fabs(std::remainder(a - b, 360.0)); }

}  // namespace

TEST(MoonFromHere, TheZenithIsUpAndTheEyepieceMirrorsOrTurns) {
  const struct {
    int Row;
    ObserverPlace Place;
  } hours[] = {{1500, {40.71L, -74.01L, 0}}, {2900, {-33.87L, 151.21L, 0}}, {5400, {64.1L, -21.9L, 0}}};
  const struct {
    EyepieceImage Eyepiece;
    double Sign, Turn;  // the angle on the picture: Sign * (on the frame - zenith) + Turn
  } eyepieces[] = {{EyepieceImage::Upright, 1, 0},
                   {EyepieceImage::StarDiagonal, -1, 0},
                   {EyepieceImage::StraightThrough, 1, 180}};
  RecordingBitmapErrorReporter reporter;
  for (const auto& h : hours) {
    const MoonRecord record = RecordFrom(h.Row, h.Place);
    ASSERT_GT(record.Topocentric.Phase, 15);
    ASSERT_LT(record.Topocentric.Phase, 85);
    ASSERT_GT(std::fabs(std::remainder(static_cast<double>(record.Topocentric.Zenith), 180.0)), 10);
    const QImage frame = DrawMoonFrameFromHere(record);
    const double relative = SunlitSideOf(frame).AngleDeg - static_cast<double>(record.Topocentric.Zenith);
    for (const auto& e : eyepieces) {
      MoonViewOptions options;
      options.ShowLines = false;
      options.Eyepiece = e.Eyepiece;
      QImage picture = MakeSolidBitmap(730, 730, kBlack);
      DrawMoonFromHere(picture, true, record, options, frame, reporter);
      const SunlitSide side = SunlitSideOf(picture);
      // A degree: what turning a picture by whole pixels moves its sunlit side's centroid.
      EXPECT_LT(AngleBetween(side.AngleDeg, e.Sign * relative + e.Turn), 1) << h.Row << " " << int(e.Eyepiece);
    }
  }
  EXPECT_TRUE(reporter.Messages.empty());
}

// The disc is the place's: a Moon near the zenith is up to 1.8 % larger than from the centre.
TEST(MoonFromHere, TheDiscHasThePlacesDiameter) {
  const MoonRecord record = RecordFrom(1500, {40.71L, -74.01L, 0});
  MoonRecord full = record;
  full.Topocentric.Phase = 100;
  full.Slon = full.Topocentric.Elon, full.Slat = full.Topocentric.Elat;
  const QImage frame = DrawMoonFrameFromHere(full);
  double lit = 0;
  for (int row = 0; row < frame.height(); ++row)
    for (int col = 0; col < frame.width(); ++col) lit += frame.constScanLine(row)[3 * col + 1] > 12;
  EXPECT_NEAR(2 * std::sqrt(lit / std::numbers::pi), DrawnDiscDiameter(record.Topocentric.Diam), 2);
  EXPECT_GT(std::fabs(static_cast<double>(record.Topocentric.Diam - record.Diam)), 4);
}

// In totality New York sees the Moon in the Earth's umbra, dim and copper, not sunlit.
TEST(MoonFromHere, ShowsTheEarthsShadowInAnEclipse) {
  const MoonRecord record = RecordFrom(1735, {40.71L, -74.01L, 0}, 2025);  // 2025-03-14 07:00 UTC
  const double disc = std::numbers::pi * std::pow(DrawnDiscDiameter(record.Topocentric.Diam) / 2, 2);
  EXPECT_LT(SunlitSideOf(DrawMoonFrameFromHere(record)).Pixels, 0.05 * disc);
}

// The window's view: always turned, so the window hides "Rotate Parallactic"; the
// picture is DrawMoonFromHere's, at 730 pixels and as drawn for the window's box.
TEST(MoonFromHere, ShowMoonDrawsItWithoutTheRotateBox) {
  const MoonRecord record = RecordFrom(1500, {40.71L, -74.01L, 0});
  const QImage frame = DrawMoonFrameFromHere(record);
  const FixedOffsetZone utc(0);
  RecordingBitmapErrorReporter reporter;
  const MoonViewServices services{utc, reporter};
  QImage shown, expected = MakeSolidBitmap(730, 730, kBlack);
  const ViewLabels labels =
      ShowMoon(ViewKind::FromHere, record.DateTime, record, MoonViewOptions{}, services, frame, QImage(), shown);
  DrawMoonFromHere(expected, true, record, MoonViewOptions{}, frame, reporter);
  ASSERT_TRUE(labels.RotateBoxVisible && labels.ParallacticLab);
  EXPECT_FALSE(*labels.RotateBoxVisible);
  EXPECT_EQ(shown, expected);
  // Drawn for the window's box, the same turn.
  EXPECT_EQ(DrawShownView(ViewKind::FromHere, record, MoonViewOptions{}, frame, QImage(), ShownSize{}, reporter),
            expected);
}
