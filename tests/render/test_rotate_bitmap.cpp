// RotateBitmap, ScaleBitmap, DrawAxisLine and the fills: sizes, mappings and
// pixels at known places.
#include <gtest/gtest.h>

#include <cmath>

#include "render/rotate_bitmap.h"
#include "support/render_gui_environment.h"
#include "support/render_support.h"

namespace {

constexpr ColorRef kCorner = RGBColor(200, 10, 10);  // never a colour of MakeCoordinateBitmap

TEST(renderRotateBitmap, ZeroDegreesReproducesThePicture) {
  RecordingBitmapErrorReporter reporter;
  const QImage source = MakeCoordinateBitmap(61, 47);
  for (const bool crop : {false, true}) {
    QImage bitmap = source;
    EXPECT_TRUE(RotateBitmap(bitmap, crop, kCorner, 0, reporter));
    EXPECT_EQ(bitmap, source);
  }
  EXPECT_TRUE(reporter.Messages.empty());
}

// A positive angle turns clockwise: the top row comes from the left column, read
// from the bottom up.
TEST(renderRotateBitmap, Plus90TurnsClockwiseWithOrWithoutCrop) {
  RecordingBitmapErrorReporter reporter;
  const QImage source = MakeCoordinateBitmap(730, 730);
  for (const bool crop : {false, true}) {
    QImage bitmap = source;
    ASSERT_TRUE(RotateBitmap(bitmap, crop, kCorner, 90, reporter));
    ASSERT_EQ(bitmap.size(), QSize(730, 730));
    for (int x = 0; x < 730; ++x) ASSERT_EQ(CoordinateOf(PixelAt(bitmap, x, 0)), QPoint(0, 729 - x)) << x;
    EXPECT_EQ(CoordinateOf(PixelAt(bitmap, 729, 729)), QPoint(729, 0));
  }
}

TEST(renderRotateBitmap, Minus90TurnsCounterClockwiseAndKeepsTheSize) {
  RecordingBitmapErrorReporter reporter;
  QImage bitmap = MakeCoordinateBitmap(730, 730);
  ASSERT_TRUE(RotateBitmap(bitmap, false, kCorner, -90, reporter));
  ASSERT_EQ(bitmap.size(), QSize(730, 730));
  for (int x = 0; x < 730; ++x) ASSERT_EQ(CoordinateOf(PixelAt(bitmap, x, 0)), QPoint(729, x)) << x;  // right column
}

TEST(renderRotateBitmap, FortyFiveDegreesWithoutCropGrowsTo1031) {
  RecordingBitmapErrorReporter reporter;
  QImage bitmap = MakeCoordinateBitmap(730, 730);
  ASSERT_TRUE(RotateBitmap(bitmap, false, kCorner, 45, reporter));
  ASSERT_EQ(bitmap.size(), QSize(1031, 1031));
  for (const QPoint c : {QPoint(0, 0), QPoint(1030, 0), QPoint(0, 1030), QPoint(1030, 1030), QPoint(200, 200)})
    EXPECT_EQ(PixelAt(bitmap, c.x(), c.y()), kCorner) << c.x() << "," << c.y();
  // The source's top-left corner lands on the middle of the top edge (clockwise turn).
  EXPECT_EQ(CoordinateOf(PixelAt(bitmap, 515, 0)), QPoint(0, 0));
}

// With Crop the middle 730 x 730 of the 1031 x 1031 turn is kept: the centre stays
// the centre and the corners turned in show the background colour.
TEST(renderRotateBitmap, CropKeepsTheMiddleAndShowsTheBackgroundInTheCorners) {
  RecordingBitmapErrorReporter reporter;
  QImage bitmap = MakeCoordinateBitmap(730, 730);
  ASSERT_TRUE(RotateBitmap(bitmap, true, kCorner, 45, reporter));
  ASSERT_EQ(bitmap.size(), QSize(730, 730));
  for (const QPoint c : {QPoint(0, 0), QPoint(729, 0), QPoint(0, 729), QPoint(729, 729)})
    EXPECT_EQ(PixelAt(bitmap, c.x(), c.y()), kCorner);
  const QPoint centre = CoordinateOf(PixelAt(bitmap, 365, 365));
  EXPECT_LE(std::hypot(centre.x() - 364.5, centre.y() - 364.5), 1.5);
  // The top-middle pixel of the crop lies on the turned picture, up and to the
  // left along the source diagonal from the centre.
  const QPoint top = CoordinateOf(PixelAt(bitmap, 365, 0));
  EXPECT_NEAR(top.x(), 365 - 365 / std::sqrt(2.0), 2);
  EXPECT_NEAR(top.y(), 365 - 365 / std::sqrt(2.0), 2);
}

// A wide picture turned upright is narrower than the crop: the uncovered columns
// show the background colour (the crop bitmap starts in it).
TEST(renderRotateBitmap, CropOfAWidePictureTurnedUprightFillsTheSidesWithTheBackground) {
  RecordingBitmapErrorReporter reporter;
  QImage bitmap = MakeCoordinateBitmap(200, 100);
  ASSERT_TRUE(RotateBitmap(bitmap, true, kCorner, 90, reporter));
  ASSERT_EQ(bitmap.size(), QSize(200, 100));
  EXPECT_EQ(CountColor(bitmap, QRect(0, 0, 50, 100), kCorner), 50 * 100);
  EXPECT_EQ(CountColor(bitmap, QRect(150, 0, 50, 100), kCorner), 50 * 100);
  EXPECT_EQ(CountColor(bitmap, QRect(50, 0, 100, 100), kCorner), 0);
}

TEST(renderRotateBitmap, ARefusedBitmapBecomesABlank24BitBitmapOfItsSize) {
  RecordingBitmapErrorReporter reporter;
  for (const bool crop : {false, true}) {
    QImage bitmap(64, 48, QImage::Format_RGB32);
    bitmap.fill(Qt::red);
    EXPECT_FALSE(RotateBitmap(bitmap, crop, kCorner, 30, reporter));
    ASSERT_EQ(bitmap.format(), QImage::Format_BGR888);
    ASSERT_EQ(bitmap.size(), QSize(64, 48));
    EXPECT_EQ(CountColor(bitmap, bitmap.rect(), kWhite), 64 * 48);
  }
  ASSERT_EQ(reporter.Messages.size(), 2u);
  EXPECT_EQ(reporter.Messages[0], "Both bitmaps must be 24bit.");
}

TEST(renderRotateBitmap, ANonFiniteAngleIsRefusedWithAMessage) {
  RecordingBitmapErrorReporter reporter;
  QImage bitmap = MakeCoordinateBitmap(30, 30);
  EXPECT_FALSE(RotateBitmap(bitmap, false, kCorner, INFINITY, reporter));
  ASSERT_EQ(reporter.Messages.size(), 1u);
  EXPECT_EQ(reporter.Messages[0], "Target plane out of range.");
  EXPECT_EQ(bitmap.size(), QSize(30, 30));
}

struct ScaleCase {
  int Width, Height;
  long double Factor;
  int ScaledWidth, ScaledHeight;
};

// The sizes are round(Factor x (side - 1)) + 1 with ties to even: 0.125 x 729 =
// 91.125 gives 92; 0.7604 x 959 = 729.22 gives 730; 0.8588 x 849 = 729.12 gives
// 730; 0.3802 x 1919 = 729.6 gives 731 and 0.3802 x 1079 = 410.2 gives 411.
TEST(renderScaleBitmap, SizesOfTheViewsAndTheTinyMoon) {
  RecordingBitmapErrorReporter reporter;
  for (const ScaleCase& c : {ScaleCase{730, 730, 0.125L, 92, 92}, ScaleCase{960, 960, 0.7604L, 730, 730},
                             ScaleCase{850, 850, 0.8588L, 730, 730}, ScaleCase{1920, 1080, 0.3802L, 731, 411},
                             ScaleCase{1080, 1920, 0.3802L, 411, 731}}) {
    QImage bitmap = MakeCoordinateBitmap(c.Width, c.Height);
    ASSERT_TRUE(ScaleBitmap(bitmap, c.Factor, reporter));
    ASSERT_EQ(bitmap.size(), QSize(c.ScaledWidth, c.ScaledHeight)) << c.Width << "x" << c.Height;
    // Every pixel takes the source pixel nearest to its exact place (within one
    // pixel: the indices are spread by an integer error term), in order.
    const double fx = double(c.Width - 1) / (c.ScaledWidth - 1), fy = double(c.Height - 1) / (c.ScaledHeight - 1);
    for (int y = 0; y < c.ScaledHeight; ++y)
      for (int x = 0; x < c.ScaledWidth; ++x) {
        const QPoint s = CoordinateOf(PixelAt(bitmap, x, y));
        ASSERT_LE(std::fabs(s.x() - x * fx), 1.0) << x << "," << y;
        ASSERT_LE(std::fabs(s.y() - y * fy), 1.0) << x << "," << y;
      }
    EXPECT_EQ(CoordinateOf(PixelAt(bitmap, c.ScaledWidth - 1, c.ScaledHeight - 1)), QPoint(c.Width - 1, c.Height - 1));
  }
  EXPECT_TRUE(reporter.Messages.empty());
}

TEST(renderScaleBitmap, AFactorAboveOneRepeatsPixels) {
  RecordingBitmapErrorReporter reporter;
  QImage bitmap = MakeCoordinateBitmap(10, 10);
  ASSERT_TRUE(ScaleBitmap(bitmap, 2.0L, reporter));
  ASSERT_EQ(bitmap.size(), QSize(19, 19));
  int repeats = 0;
  for (int x = 1; x < 19; ++x) {
    const int a = CoordinateOf(PixelAt(bitmap, x - 1, 0)).x(), b = CoordinateOf(PixelAt(bitmap, x, 0)).x();
    ASSERT_TRUE(b == a || b == a + 1);
    repeats += b == a;
  }
  EXPECT_EQ(repeats, 9);  // 19 pixels from 10 columns
}

TEST(renderScaleBitmap, BadInputGivesABlankBitmapOfTheOldSizeAndAMessage) {
  RecordingBitmapErrorReporter reporter;
  QImage bitmap = MakeCoordinateBitmap(40, 20);
  EXPECT_FALSE(ScaleBitmap(bitmap, std::nanl(""), reporter));
  EXPECT_EQ(bitmap.size(), QSize(40, 20));
  EXPECT_EQ(CountColor(bitmap, bitmap.rect(), kWhite), 40 * 20);
  QImage wide(40, 20, QImage::Format_RGB16);
  EXPECT_FALSE(ScaleBitmap(wide, 0.5L, reporter));
  EXPECT_EQ(wide.format(), QImage::Format_BGR888);
  ASSERT_EQ(reporter.Messages.size(), 2u);
  EXPECT_EQ(reporter.Messages[0], "Target plane out of range.");
  EXPECT_EQ(reporter.Messages[1], "Both bitmaps must be 24bit.");
}

// Pixels of one colour on a line of the canvas.
int CountAlong(const QImage& bitmap, QPoint from, QPoint to, ColorRef color) {
  const int n = std::max(std::abs(to.x() - from.x()), std::abs(to.y() - from.y()));
  int count = 0;
  for (int k = 0; k <= n; ++k) {
    const int x = from.x() + (to.x() - from.x()) * k / n, y = from.y() + (to.y() - from.y()) * k / n;
    count += PixelAt(bitmap, x, y) == color;
  }
  return count;
}

// Length 725 on 730: half of it, 362.5, rounds to 362 (ties to even).
TEST(renderDrawAxisLine, AngleZeroRunsFrom365_3To365_727) {
  QImage bitmap = MakeSolidBitmap(730, 730, kBlack);
  {
    QPainter canvas(&bitmap);
    canvas.setPen(CanvasPen(kRed, Qt::SolidLine));
    DrawAxisLine(canvas, 0, 725);
  }
  EXPECT_EQ(CountAlong(bitmap, QPoint(365, 3), QPoint(365, 727), kRed), 725);
  EXPECT_EQ(PixelAt(bitmap, 365, 2), kBlack);
  EXPECT_EQ(PixelAt(bitmap, 365, 728), kBlack);
  EXPECT_EQ(CountColor(bitmap, bitmap.rect(), kRed), 725);
}

// A positive angle turns the upper end to the left: 30 degrees over a length of
// 200 ends at (365 -+ 50, 365 -+ 87).
TEST(renderDrawAxisLine, PositiveAngleTurnsTheUpperEndLeft) {
  QImage bitmap = MakeSolidBitmap(730, 730, kBlack);
  {
    QPainter canvas(&bitmap);
    canvas.setPen(CanvasPen(kBlue, Qt::SolidLine));
    DrawAxisLine(canvas, 30, 200);
    canvas.setPen(CanvasPen(kRed, Qt::SolidLine));
    DrawAxisLine(canvas, 90, 100);
  }
  EXPECT_EQ(PixelAt(bitmap, 315, 278), kBlue);
  EXPECT_EQ(PixelAt(bitmap, 415, 452), kBlue);
  EXPECT_EQ(CountColor(bitmap, QRect(365, 0, 365, 365), kBlue), 0);  // nothing up and right
  EXPECT_EQ(PixelAt(bitmap, 315, 365), kRed);
  EXPECT_EQ(PixelAt(bitmap, 414, 365), kRed);
  EXPECT_EQ(PixelAt(bitmap, 415, 365), kRed);
  EXPECT_EQ(PixelAt(bitmap, 416, 365), kBlack);
}

TEST(renderFill, FillsLeaveTheBrushAndExcludeTheRightAndBottomEdges) {
  QImage bitmap = MakeSolidBitmap(20, 10, kBlack);
  QPainter canvas(&bitmap);
  const QBrush brush(QColor(1, 2, 3), Qt::Dense4Pattern);
  canvas.setBrush(brush);
  FillBitmap(canvas, kSky);
  FillBitmapRect(canvas, kGround, RectLTRB(0, 5, 20, 10));
  EXPECT_EQ(canvas.brush(), brush);
  canvas.end();
  EXPECT_EQ(CountColor(bitmap, QRect(0, 0, 20, 5), kSky), 100);
  EXPECT_EQ(CountColor(bitmap, QRect(0, 5, 20, 5), kGround), 100);

  QImage small = MakeSolidBitmap(10, 10, kBlack);
  QPainter smallCanvas(&small);
  FillBitmapRect(smallCanvas, kWhite, RectLTRB(2, 3, 5, 7));
  smallCanvas.end();
  EXPECT_EQ(CountColor(small, small.rect(), kWhite), 3 * 4);
  EXPECT_EQ(CountColor(small, QRect(2, 3, 3, 4), kWhite), 12);
}

}  // namespace
