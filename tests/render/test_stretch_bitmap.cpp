// TStretchBitmap: the checks and messages of MapPlanes, and the mappings of whole
// pictures checked pixel by pixel against the exact geometry.
#include <gtest/gtest.h>

#include <cmath>

#include "render/stretch_bitmap.h"
#include "support/render_support.h"

namespace {

constexpr ColorRef kBackground = kWhite;  // never a colour of MakeCoordinateBitmap

PlanePoints WholePlane(const QImage& image) {
  return {QPoint(0, 0), QPoint(image.width() - 1, 0), QPoint(0, image.height() - 1)};
}

struct renderMapper : ::testing::Test {
  RecordingBitmapErrorReporter Reporter;
  TStretchBitmap Mapper{Reporter};
  QImage Source = MakeCoordinateBitmap(40, 30);
  QImage Target = MakeSolidBitmap(7, 5, kBlue);

  void SetUp() override {
    Mapper.Source = &Source;
    Mapper.Target = &Target;
    Mapper.BackgroundColor = kBackground;
    Mapper.SourcePlane = WholePlane(Source);
    Mapper.TargetPlane = WholePlane(Source);
  }

  // Runs MapPlanes expecting it to refuse with exactly this message and leave the target alone.
  void ExpectRefused(const char* message) {
    const QImage before = Target.copy();
    EXPECT_FALSE(Mapper.MapPlanes());
    ASSERT_EQ(Reporter.Messages.size(), 1u);
    EXPECT_EQ(Reporter.Messages[0], QString::fromLatin1(message));
    EXPECT_EQ(Target, before);
  }
};

TEST(renderBitmapFormat, Bgr888KeepsBlueGreenRedInMemoryAndColoursAre0x00BBGGRR) {
  QImage image = MakeSolidBitmap(2, 1, RGBColor(10, 20, 30));
  const uchar* bytes = image.constScanLine(0);
  EXPECT_EQ(bytes[0], 30);  // blue
  EXPECT_EQ(bytes[1], 20);  // green
  EXPECT_EQ(bytes[2], 10);  // red
  EXPECT_EQ(RGBColor(10, 20, 30), 0x001E140Au);
  EXPECT_EQ(PixelAt(image, 1, 0), RGBColor(10, 20, 30));
  EXPECT_EQ(ToQColor(kSky), QColor(11, 78, 173));
}

TEST_F(renderMapper, RefusesAMissingSource) {
  Mapper.Source = nullptr;
  ExpectRefused("No source bitmap.");
}

TEST_F(renderMapper, RefusesAMissingTarget) {
  Mapper.Target = nullptr;
  EXPECT_FALSE(Mapper.MapPlanes());
  ASSERT_EQ(Reporter.Messages.size(), 1u);
  EXPECT_EQ(Reporter.Messages[0], "No target bitmap.");
}

TEST_F(renderMapper, RefusesTheSameBitmapAsSourceAndTarget) {
  Mapper.Target = &Source;
  const QImage before = Source.copy();
  EXPECT_FALSE(Mapper.MapPlanes());
  ASSERT_EQ(Reporter.Messages.size(), 1u);
  EXPECT_EQ(Reporter.Messages[0], "Source and Target bitmaps cannot be the same.");
  EXPECT_EQ(Source, before);
}

TEST_F(renderMapper, Refuses16BitAnd32BitBitmaps) {
  QImage source16 = Source.convertToFormat(QImage::Format_RGB16);
  Mapper.Source = &source16;
  ExpectRefused("Both bitmaps must be 24bit.");

  Reporter.Messages.clear();
  Mapper.Source = &Source;
  Target = Target.convertToFormat(QImage::Format_RGB32);
  ExpectRefused("Both bitmaps must be 24bit.");
  EXPECT_EQ(Target.format(), QImage::Format_RGB32);
}

TEST_F(renderMapper, RefusesASourcePlaneOffTheAxes) {
  Mapper.SourcePlane.P1.setY(1);
  ExpectRefused("Othogonal plane not properly set.");
  Reporter.Messages.clear();
  Mapper.SourcePlane = WholePlane(Source);
  Mapper.SourcePlane.P2.setX(3);
  ExpectRefused("Othogonal plane not properly set.");
}

TEST_F(renderMapper, RefusesASourcePlaneOutsideTheSource) {
  Mapper.SourcePlane.P1 = QPoint(40, 0);  // one past the last column
  ExpectRefused("Source plane out of bitmap bounds.");
  Reporter.Messages.clear();
  Mapper.SourcePlane = {QPoint(0, -1), QPoint(39, -1), QPoint(0, 29)};
  ExpectRefused("Source plane out of bitmap bounds.");
}

// Guards added to the mapper: a target beyond any picture (a non-finite or huge
// computed corner) is refused instead of allocating gigabytes or overflowing.
TEST_F(renderMapper, RefusesATargetPlaneBeyondAnyPicture) {
  Mapper.TargetPlane.P1 = QPoint(PlaneCoordinate(std::nanl("")), 0);
  ExpectRefused("Target plane out of range.");
  Reporter.Messages.clear();
  Mapper.TargetPlane = {QPoint(0, 0), QPoint(16000, 0), QPoint(-16000, 29)};  // 32001 wide
  ExpectRefused("Target plane out of range.");
}

TEST_F(renderMapper, IdentityPlanesReproduceThePictureExactly) {
  EXPECT_TRUE(Mapper.MapPlanes());
  EXPECT_TRUE(Reporter.Messages.empty());
  EXPECT_EQ(Target, Source);
}

TEST_F(renderMapper, WithoutResizeTheTargetKeepsItsSizeAndBackground) {
  Mapper.ResizeTarget = false;
  Target = MakeSolidBitmap(10, 9, kBlue);
  Mapper.SourcePlane = {QPoint(5, 7), QPoint(8, 7), QPoint(5, 10)};  // 4 x 4 block at (5, 7)
  Mapper.TargetPlane = {QPoint(2, 3), QPoint(5, 3), QPoint(2, 6)};
  ASSERT_TRUE(Mapper.MapPlanes());
  ASSERT_EQ(Target.size(), QSize(10, 9));
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 10; ++x) {
      const bool inside = x >= 2 && x <= 5 && y >= 3 && y <= 6;
      if (inside)
        EXPECT_EQ(CoordinateOf(PixelAt(Target, x, y)), QPoint(x + 3, y + 4)) << x << "," << y;
      else
        EXPECT_EQ(PixelAt(Target, x, y), kBackground) << x << "," << y;
    }
}

TEST_F(renderMapper, PartsOfThePlaneOutsideTheTargetAreSkipped) {
  Mapper.ResizeTarget = false;
  Target = MakeSolidBitmap(20, 20, kBlue);
  Mapper.TargetPlane = {QPoint(-10, -5), QPoint(29, -5), QPoint(-10, 24)};
  ASSERT_TRUE(Mapper.MapPlanes());
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) ASSERT_EQ(CoordinateOf(PixelAt(Target, x, y)), QPoint(x + 10, y + 5));
}

// A one-pixel target edge has no span to spread the source over; it takes the
// first source column instead of dividing by zero.
TEST_F(renderMapper, AOnePixelTargetEdgeTakesTheFirstSourceColumn) {
  Mapper.TargetPlane = {QPoint(0, 0), QPoint(0, 0), QPoint(0, 29)};
  ASSERT_TRUE(Mapper.MapPlanes());
  ASSERT_EQ(Target.size(), QSize(1, 30));
  for (int y = 0; y < 30; ++y) EXPECT_EQ(CoordinateOf(PixelAt(Target, 0, y)), QPoint(0, y));
}

TEST_F(renderMapper, RotatePlaneByZeroReproducesTheSourceExactly) {
  ASSERT_TRUE(Mapper.RotatePlane(0.0f));
  EXPECT_EQ(Target, Source);
  QImage square = MakeCoordinateBitmap(730, 730);
  Mapper.Source = &square;
  ASSERT_TRUE(Mapper.RotatePlane(0.0f));
  EXPECT_EQ(Target, square);
}

// With y down, a negative Angle turns clockwise: source (sx, sy) lands on
// (H - 1 - sy, sx) of an H x W target.
TEST_F(renderMapper, RotatePlaneByMinus90TurnsClockwise) {
  ASSERT_TRUE(Mapper.RotatePlane(-90.0f));
  ASSERT_EQ(Target.size(), QSize(30, 40));
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 30; ++x) ASSERT_EQ(CoordinateOf(PixelAt(Target, x, y)), QPoint(y, 29 - x)) << x << "," << y;
}

TEST_F(renderMapper, RotatePlaneByPlus90TurnsCounterClockwise) {
  ASSERT_TRUE(Mapper.RotatePlane(90.0f));
  ASSERT_EQ(Target.size(), QSize(30, 40));
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 30; ++x) ASSERT_EQ(CoordinateOf(PixelAt(Target, x, y)), QPoint(39 - y, x)) << x << "," << y;
}

// 730 x 730 by 45 degrees: T1 = (515, 515), so the bounding box is 1031 x 1031.
// Every pixel inside the turned square is covered (the row walk covers one half
// of a checkerboard, the hole filling the other), and each holds the source pixel
// within 1.5 pixels of the exact inverse rotation (the nearest-sample error of two
// Bresenham walks plus the averaged indices of a filled hole).
TEST_F(renderMapper, RotatePlaneBy45CoversTheTurnedSquare) {
  QImage square = MakeCoordinateBitmap(730, 730);
  Mapper.Source = &square;
  ASSERT_TRUE(Mapper.RotatePlane(-45.0f));
  ASSERT_EQ(Target.size(), QSize(1031, 1031));
  const QPoint t0(515, 0), u(515, 515), v(-515, 515);  // corners after the shift to the top-left
  const double uu = 2.0 * 515 * 515;
  int inside = 0;
  for (int y = 0; y < 1031; ++y)
    for (int x = 0; x < 1031; ++x) {
      const double dx = x - t0.x(), dy = y - t0.y();
      const double sx = 729 * (dx * u.x() + dy * u.y()) / uu;
      const double sy = 729 * (dx * v.x() + dy * v.y()) / uu;
      const ColorRef pixel = PixelAt(Target, x, y);
      if (sx < -1.5 || sx > 730.5 || sy < -1.5 || sy > 730.5) {
        ASSERT_EQ(pixel, kBackground) << x << "," << y;  // the corner triangles
      } else if (sx >= 1 && sx <= 728 && sy >= 1 && sy <= 728) {
        ++inside;
        ASSERT_NE(pixel, kBackground) << "hole at " << x << "," << y;
        const QPoint s = CoordinateOf(pixel);
        ASSERT_LE(std::hypot(s.x() - sx, s.y() - sy), 1.5) << x << "," << y;
      }
    }
  EXPECT_GT(inside, 520000);  // about 727 x 727 / 0.9991^2 pixels
  for (const QPoint corner : {QPoint(0, 0), QPoint(1030, 0), QPoint(0, 1030), QPoint(1030, 1030)})
    EXPECT_EQ(PixelAt(Target, corner.x(), corner.y()), kBackground);
}

}  // namespace
