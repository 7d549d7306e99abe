// The Moon view (DrawMoon) and the composition of the right picture (ShowMoon):
// overlay pixels at the places the geometry gives, the labels, the NASA TIFF views
// from a local frame source, and the range guard.
#include <gtest/gtest.h>

#include <QLocale>
#include <cmath>
#include <numbers>

#include "render/moon_view.h"
#include "render/rotate_bitmap.h"
#include "support/render_gui_environment.h"
#include "support/render_support.h"

namespace {

constexpr ColorRef kFrameGreen = RGBColor(0, 60, 0);  // no overlay uses it
constexpr ColorRef kUntouched = RGBColor(255, 0, 255);
constexpr long double k2024Jan1At18 = 45292.75L;  // HourNumber 18: frame 0019

std::vector<QPoint> PixelsOf(const QImage& bitmap, ColorRef color) {
  std::vector<QPoint> points;
  for (int y = 0; y < bitmap.height(); ++y)
    for (int x = 0; x < bitmap.width(); ++x)
      if (PixelAt(bitmap, x, y) == color) points.emplace_back(x, y);
  return points;
}

// The pixels of a colour within 2 of each of its channels: lines wider than a pixel
// are filled, not plotted, and may come out a shade off.
std::vector<QPoint> PixelsNear(const QImage& bitmap, ColorRef color) {
  const QColor want = ToQColor(color);
  std::vector<QPoint> points;
  for (int y = 0; y < bitmap.height(); ++y)
    for (int x = 0; x < bitmap.width(); ++x) {
      const QColor c = bitmap.pixelColor(x, y);
      if (std::abs(c.red() - want.red()) <= 2 && std::abs(c.green() - want.green()) <= 2 &&
          std::abs(c.blue() - want.blue()) <= 2)
        points.emplace_back(x, y);
    }
  return points;
}

// Distance of p from the line through (365, 365) that DrawAxisLine draws at angle a.
double DistanceFromAxis(QPoint p, double a) {
  const double r = a * std::numbers::pi / 180;
  return std::fabs((p.x() - 365) * std::cos(r) - (p.y() - 365) * std::sin(r));
}

// Whether the upper end of an axis line lies left of the centre.
bool UpperEndLeft(const std::vector<QPoint>& line) {
  int left = 0, right = 0;
  for (const QPoint p : line)
    if (p.y() < 300) (p.x() < 365 ? left : right)++;
  return left > 50 && right == 0;
}

class renderMoonView : public ::testing::Test {
 protected:
  void SetUp() override {
    QLocale::setDefault(QLocale::c());
    Record.Diam = 1832.9L;
    Record.AxisA = 20;
    Record.ParallacticAngle = 23.4L;
    Options.Latitude = 41.3L;
  }

  QImage Draw(bool wideInset = true) {
    QImage bitmap = NewBitmap(730, 730);
    Label = DrawMoon(bitmap, wideInset, Record, Options, Frame, Reporter);
    return bitmap;
  }

  ViewLabels Show(ViewKind view, long double instant) {
    return ShowMoon(view, instant, Record, Options, Services, Frame, FrameTiff, Image2);
  }

  RecordingBitmapErrorReporter Reporter;
  FixedOffsetZone Zone{-300};  // five hours behind UTC
  MoonViewServices Services{Zone, Reporter};
  MoonViewOptions Options;
  MoonRecord Record;
  QImage Frame = MakeSolidBitmap(730, 730, kFrameGreen);
  QImage FrameTiff;
  QImage Image2 = MakeSolidBitmap(730, 730, kUntouched);
  LabelText Label;
};

TEST_F(renderMoonView, UnturnedOverlaysLieWhereTheGeometrySays) {
  const QImage bitmap = Draw();
  EXPECT_EQ(Label.Text, "Not Parallactic Rotated");
  EXPECT_EQ(Label.TextColor, kBlack);

  // Red north line: the vertical through the centre from y = 3 (dash-dot).
  const std::vector<QPoint> red = PixelsOf(bitmap, kRed);
  ASSERT_GT(red.size(), 30u);
  for (const QPoint p : red) ASSERT_EQ(p.x(), 365);
  EXPECT_EQ(PixelAt(bitmap, 365, 3), kRed);
  EXPECT_EQ(PixelAt(bitmap, 365, 2), kFrameGreen);

  // Blue axis at AxisA = 20 degrees: upper end to the left (east).
  const std::vector<QPoint> blue = PixelsOf(bitmap, kBlue);
  ASSERT_GT(blue.size(), 250u);
  for (const QPoint p : blue) ASSERT_LE(DistanceFromAxis(p, 20), 1.0) << p.x() << "," << p.y();
  EXPECT_TRUE(UpperEndLeft(blue));

  // Grey limb: Diam 1832.9" gives 640.05 pixels, r = 44.97, corners 45 and 685,
  // so the outline spans columns and rows 45 ... 684 round (364.5, 364.5).
  const std::vector<QPoint> grey = PixelsOf(bitmap, kGrey);
  ASSERT_GT(grey.size(), 1500u);
  int minX = 730, maxX = 0, minY = 730, maxY = 0;
  for (const QPoint p : grey) {
    ASSERT_NEAR(std::hypot(p.x() - 364.5, p.y() - 364.5), 319.5, 1.0) << p.x() << "," << p.y();
    minX = std::min(minX, p.x()), maxX = std::max(maxX, p.x());
    minY = std::min(minY, p.y()), maxY = std::max(maxY, p.y());
  }
  EXPECT_EQ(minX, 45);
  EXPECT_EQ(maxX, 684);
  EXPECT_EQ(minY, 45);
  EXPECT_EQ(maxY, 684);

  // White cross, inset 10, upright.
  const std::vector<QPoint> white = PixelsOf(bitmap, kWhite);
  ASSERT_GT(white.size(), 500u);
  for (const QPoint p : white) ASSERT_TRUE(p.x() == 365 || p.y() == 365) << p.x() << "," << p.y();
  EXPECT_EQ(PixelAt(bitmap, 10, 365), kWhite);
  EXPECT_EQ(PixelAt(bitmap, 9, 365), kFrameGreen);
  EXPECT_EQ(PixelAt(bitmap, 365, 10), kWhite);
  EXPECT_NE(PixelAt(bitmap, 365, 9), kWhite);  // the cross starts at the inset

  EXPECT_EQ(PixelAt(bitmap, 100, 100), kFrameGreen);
  EXPECT_TRUE(Reporter.Messages.empty());
}

TEST_F(renderMoonView, NarrowInsetStartsTheCrossAtFivePixels) {
  const QImage bitmap = Draw(false);
  EXPECT_EQ(PixelAt(bitmap, 5, 365), kWhite);
  EXPECT_EQ(PixelAt(bitmap, 4, 365), kFrameGreen);
}

// Another diameter moves the limb: 1700" gives 594.35 pixels, r = 67.82, corners
// 68 and 662, the outline spanning 68 ... 661.
TEST_F(renderMoonView, TheLimbFollowsDiam) {
  Record.Diam = 1700;
  const std::vector<QPoint> grey = PixelsOf(Draw(), kGrey);
  ASSERT_FALSE(grey.empty());
  const auto [left, right] = std::minmax_element(grey.begin(), grey.end(),
                                                 [](QPoint a, QPoint b) { return a.x() < b.x(); });
  EXPECT_EQ(left->x(), 68);
  EXPECT_EQ(right->x(), 661);
}

// Drawn for a box, the view is the frame scaled to the box with the lines drawn at
// that size: the limb where the geometry puts it scaled, every line at least one
// logical pixel wide, thicker as the picture grows.
TEST_F(renderMoonView, DrawnForABoxTheLinesKeepTheirPlaceAndWidth) {
  const struct {
    int side;
    qreal ratio;
  } boxes[] = {{360, 1}, {360, 2}, {730, 2}, {1460, 1}};
  for (const auto& box : boxes) {
    const QImage picture =
        DrawShownView(ViewKind::Moon, Record, Options, Frame, QImage(), {box.side, box.ratio}, Reporter);
    const int pixels = static_cast<int>(std::lround(box.side * box.ratio));
    const double k = pixels / 730.0;
    ASSERT_EQ(picture.size(), QSize(pixels, pixels)) << box.side;
    EXPECT_EQ(picture.devicePixelRatio(), box.ratio);
    const std::vector<QPoint> grey = PixelsNear(picture, kGrey);
    ASSERT_GT(grey.size(), 500u) << box.side;
    // r = 319.5 on the 730-pixel frame (see above), half the line width either side.
    const double width = std::max(box.ratio, k);
    for (const QPoint p : grey)
      ASSERT_NEAR(std::hypot(p.x() + 0.5 - pixels / 2.0, p.y() + 0.5 - pixels / 2.0), 319.5 * k, width / 2 + 1.5)
          << box.side << ": " << p.x() << "," << p.y();
    // The red north line, vertical through the centre, as wide as a line should be.
    int widest = 0;
    for (int y = pixels / 8; y < pixels / 3; ++y)
      widest = std::max(widest, static_cast<int>(PixelsNear(picture.copy(0, y, pixels, 1), kRed).size()));
    EXPECT_NEAR(widest, width, 1.0) << box.side << " at " << box.ratio;
  }
  EXPECT_TRUE(Reporter.Messages.empty());
}

// Turned by q = 23.4 clockwise: black corners, north and axis lines turned with
// the picture (north's upper end now right of the centre), the cross upright.
TEST_F(renderMoonView, RotateTurnsThePictureAndItsLinesClockwiseByQ) {
  Options.RotateParallactic = true;
  const QImage bitmap = Draw();
  EXPECT_EQ(Label.Text, QString("Parallactic Rotated 23.4\u00B0 CW"));
  EXPECT_EQ(Label.TextColor, kBlack);
  for (const QPoint c : {QPoint(0, 0), QPoint(729, 0), QPoint(0, 729), QPoint(729, 729)})
    EXPECT_EQ(PixelAt(bitmap, c.x(), c.y()), kBlack);
  EXPECT_EQ(PixelAt(bitmap, 300, 200), kFrameGreen);  // the frame itself is still there

  // Within 2.5 pixels of the turned line: half a pixel of line drawing, up to 1.5
  // of nearest sampling in the turn and half a pixel of centring of the crop.
  const std::vector<QPoint> red = PixelsOf(bitmap, kRed);
  ASSERT_GT(red.size(), 200u);
  for (const QPoint p : red) ASSERT_LE(DistanceFromAxis(p, -23.4), 2.5) << p.x() << "," << p.y();
  EXPECT_FALSE(UpperEndLeft(red));
  const std::vector<QPoint> blue = PixelsOf(bitmap, kBlue);
  ASSERT_GT(blue.size(), 200u);
  for (const QPoint p : blue) ASSERT_LE(DistanceFromAxis(p, 20 - 23.4), 2.5) << p.x() << "," << p.y();

  for (const QPoint p : PixelsOf(bitmap, kWhite)) ASSERT_TRUE(p.x() == 365 || p.y() == 365);
  EXPECT_EQ(PixelAt(bitmap, 10, 365), kWhite);
}

TEST_F(renderMoonView, NegativeQTurnsCounterClockwise) {
  Options.RotateParallactic = true;
  Record.ParallacticAngle = -12.34L;
  const QImage bitmap = Draw();
  EXPECT_EQ(Label.Text, QString("Parallactic Rotated 12.3\u00B0 CCW"));
  const std::vector<QPoint> red = PixelsOf(bitmap, kRed);
  ASSERT_GT(red.size(), 200u);
  for (const QPoint p : red) ASSERT_LE(DistanceFromAxis(p, 12.34), 2.5);  // as for the clockwise turn
  EXPECT_TRUE(UpperEndLeft(red));
}

TEST_F(renderMoonView, ZeroQWithRotateReadsCcwAndChangesNoPixel) {
  Record.ParallacticAngle = 0;
  const QImage unturned = Draw();
  Options.RotateParallactic = true;
  const QImage turned = Draw();
  EXPECT_EQ(Label.Text, QString("Parallactic Rotated 0.0\u00B0 CCW"));
  EXPECT_EQ(turned, unturned);
}

TEST_F(renderMoonView, WithoutLinesThereIsNoOverlay) {
  Options.ShowLines = false;
  EXPECT_EQ(Draw(), Frame);
  Options.RotateParallactic = true;
  QImage expected = Frame;
  RotateBitmap(expected, true, kBlack, Record.ParallacticAngle, Reporter);
  const QImage turned = Draw();
  EXPECT_EQ(turned, expected);
  for (const ColorRef c : {kRed, kBlue, kGrey, kWhite}) EXPECT_TRUE(PixelsOf(turned, c).empty());
}

TEST_F(renderMoonView, ShowMoonOfTheMoonViewSetsTheLabelsAndThePicture) {
  const ViewLabels labels = Show(ViewKind::Moon, k2024Jan1At18);
  ASSERT_TRUE(labels.UTCLab && labels.LocLab && labels.CalendarDate && labels.RotateBoxVisible &&
              labels.ParallacticLab);
  EXPECT_EQ(labels.UTCLab->Text, " Jan 1, 2024  18:00  UTC");
  EXPECT_EQ(labels.LocLab->Text, " Jan 1, 2024  13:00  Local");
  EXPECT_EQ(*labels.CalendarDate, QDate(2024, 1, 1));
  EXPECT_TRUE(*labels.RotateBoxVisible);
  EXPECT_EQ(labels.ParallacticLab->Text, "Not Parallactic Rotated");
  EXPECT_FALSE(labels.ParallacticLab2 || labels.StatusText);
  EXPECT_EQ(Image2, Draw());
}

TEST_F(renderMoonView, LocalTimeCanFallOnThePreviousDay) {
  const ViewLabels labels = Show(ViewKind::Moon, 45292.1L);  // 02:24 UTC
  EXPECT_EQ(labels.UTCLab->Text, " Jan 1, 2024  02:24  UTC");
  EXPECT_EQ(labels.LocLab->Text, " Dec 31, 2023  21:24  Local");
  EXPECT_EQ(*labels.CalendarDate, QDate(2023, 12, 31)) << "the calendar shows the local day";
}

TEST_F(renderMoonView, OutsideTheCoveredRangeNothingIsDrawnOrChanged) {
  for (const long double instant : {767011.0L, -109571.001L, 1e7L}) {
    const QImage before = Image2;
    const ViewLabels labels = Show(ViewKind::Moon, instant);
    EXPECT_FALSE(labels.UTCLab || labels.LocLab || labels.CalendarDate || labels.RotateBoxVisible ||
                 labels.ParallacticLab);
    EXPECT_EQ(Image2, before);
  }
  EXPECT_TRUE(Show(ViewKind::Moon, 767010.99L).UTCLab);
  EXPECT_TRUE(Show(ViewKind::Moon, -109571.0L).UTCLab);
}

// Chart V: 1080 x 1920 shrunk to 411 x 731 at (160, 0) covers columns 160 ... 570 only.
TEST_F(renderMoonView, ChartVCoversColumns160To570Only) {
  FrameTiff = MakeSolidBitmap(1080, 1920, kFrameGreen);
  const ViewLabels labels = Show(ViewKind::ChartV, k2024Jan1At18);
  EXPECT_FALSE(*labels.RotateBoxVisible);
  EXPECT_FALSE(labels.ParallacticLab);
  EXPECT_TRUE(labels.UTCLab);
  EXPECT_EQ(CountColor(Image2, QRect(160, 0, 411, 730), kFrameGreen), 411 * 730);
  EXPECT_EQ(CountColor(Image2, QRect(0, 0, 160, 730), kUntouched), 160 * 730);
  EXPECT_EQ(CountColor(Image2, QRect(571, 0, 159, 730), kUntouched), 159 * 730);
}

// Chart H: 1920 x 1080 shrunk to 731 x 411 at (0, 160); each pixel holds the frame
// pixel nearest its place (within one pixel).
TEST_F(renderMoonView, ChartHCoversRows160To570WithTheShrunkFrame) {
  FrameTiff = MakeCoordinateBitmap(1920, 1080);
  Show(ViewKind::ChartH, k2024Jan1At18);
  EXPECT_EQ(CountColor(Image2, QRect(0, 0, 730, 160), kUntouched), 730 * 160);
  EXPECT_EQ(CountColor(Image2, QRect(0, 571, 730, 159), kUntouched), 730 * 159);
  for (int y = 0; y < 411; y += 5)
    for (int x = 0; x < 730; x += 7) {
      const QPoint s = CoordinateOf(PixelAt(Image2, x, 160 + y));
      ASSERT_LE(std::fabs(s.x() - x * 1919.0 / 730), 1.0);
      ASSERT_LE(std::fabs(s.y() - y * 1079.0 / 410), 1.0);
    }
}

// Globe and orbit fill the whole box.
TEST_F(renderMoonView, GlobeAndOrbitFillTheBox) {
  FrameTiff = MakeSolidBitmap(960, 960, kFrameGreen);
  Show(ViewKind::Globe, k2024Jan1At18);
  EXPECT_EQ(CountColor(Image2, Image2.rect(), kFrameGreen), 730 * 730);
  FrameTiff = MakeSolidBitmap(850, 850, kBlue);
  Show(ViewKind::Orbit, k2024Jan1At18);
  EXPECT_EQ(CountColor(Image2, Image2.rect(), kBlue), 730 * 730);
}

// No frame (a failed download) leaves the full-size blank (white) picture, drawn unscaled.
TEST_F(renderMoonView, NoFrameDrawsTheBlankFullSizePicture) {
  Show(ViewKind::ChartH, k2024Jan1At18);
  EXPECT_EQ(CountColor(Image2, QRect(0, 0, 730, 160), kUntouched), 730 * 160);
  EXPECT_EQ(CountColor(Image2, QRect(0, 160, 730, 570), kWhite), 730 * 570);
  Image2 = MakeSolidBitmap(730, 730, kUntouched);
  Show(ViewKind::ChartV, k2024Jan1At18);
  EXPECT_EQ(CountColor(Image2, QRect(0, 0, 160, 730), kUntouched), 160 * 730);
  EXPECT_EQ(CountColor(Image2, QRect(160, 0, 570, 730), kWhite), 570 * 730);
  EXPECT_TRUE(Reporter.Messages.empty());
}

TEST_F(renderMoonView, APictureOfAnotherSizeIsReplacedByA730Bitmap) {
  Image2 = QImage(100, 50, QImage::Format_RGB32);
  Show(ViewKind::Moon, k2024Jan1At18);
  EXPECT_EQ(Image2.size(), QSize(730, 730));
  EXPECT_EQ(Image2.format(), QImage::Format_BGR888);
  EXPECT_EQ(Image2, Draw());
}

}  // namespace
