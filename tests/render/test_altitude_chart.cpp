// The altitude chart (DrawPolyLine) and the tiny moon on it: the horizon, the
// grid, the curve at the engine's altitudes, the lines of the present, the tiny
// moon's transparency and turning, the labels and the range guard.
#include <gtest/gtest.h>

#include <QLocale>
#include <QPainter>
#include <cmath>
#include <optional>
#include <vector>

#include "astro/coordinates.h"
#include "astro/moon_position.h"
#include "render/altitude_chart.h"
#include "render/twilight_bands.h"
#include "render/bitmap_helpers.h"
#include "render/view_text.h"
#include "support/render_gui_environment.h"
#include "support/render_support.h"

namespace {

constexpr ColorRef kUntouched = RGBColor(255, 0, 255);
constexpr double kStep = 730 / 48.0;

// The Moon's place from the engine, as the chart should plot it.
HorizontalPosition MoonPlace(long double t, const MoonViewOptions& options) {
  const MoonPositionRecord m = MoonPosition(static_cast<double>(t));
  return TopocentricAltAz(static_cast<double>(t), m.RightAscension, m.Declination, m.HorizontalParallax,
                          options.Latitude, options.Longitude, 0);
}

// An instant whose present altitude lies within 2 degrees of a grid altitude
// other than 0, and that grid step, found by stepping through the hours of 2024.
std::optional<std::pair<long double, int>> InstantNearGridLine(const MoonViewOptions& options) {
  for (int h = 0; h < 2000; ++h) {
    const long double t = 45292.0L + h / 24.0L;
    const long double alt = MoonPlace(t, options).Altitude;
    for (int i = 4; i <= 44; i += 4)
      if (i != 24 && std::fabs(alt - ChartGridAltitude(i)) < 2) return std::make_pair(t, i);
  }
  return std::nullopt;
}

class renderAltitudeChart : public ::testing::Test {
 protected:
  void SetUp() override {
    QLocale::setDefault(QLocale::c());
    Record.Diam = 1832.9L;
    Record.AxisA = 20;
    Record.ParallacticAngle = 23.4L;
    Options.Latitude = 41.2979L;
    Options.Longitude = -73.0756L;
  }

  ViewLabels Draw(long double instant) {
    return DrawPolyLine(instant, Record, Options, Services, Frame, Image1);
  }

  HorizontalPosition Place(long double t) const { return MoonPlace(t, Options); }

  // Row of the curve at an instant.
  int CurveY(long double t) const { return static_cast<int>(std::nearbyint(365 - Place(t).Altitude * 3.4)); }

  // The tiny moon's box: 92 x 92 centred on the curve at the instant.
  QRect TinyMoonBox(long double instant) const { return QRect(365 - 46, CurveY(instant) - 46, 92, 92); }

  RecordingBitmapErrorReporter Reporter;
  FixedOffsetZone Zone{0};
  MoonViewServices Services{Zone, Reporter};
  MoonViewOptions Options;
  MoonRecord Record;
  QImage Frame = MakeMarkedDiscFrame(730);
  QImage Image1 = MakeSolidBitmap(730, 730, kUntouched);
};

constexpr long double kInstant = 45300.25L;  // 2024-01-09 06:00 UTC

TEST(renderChartGrid, AltitudesRunFrom90To_90InStepsOf18) {
  int expected = 90;
  for (int i = 4; i <= 44; i += 4, expected -= 18) EXPECT_EQ(ChartGridAltitude(i), expected) << i;
}

TEST_F(renderAltitudeChart, OutsideTheCoveredRangeNothingIsDrawnOrChanged) {
  for (const long double instant : {767011.0L, -109571.001L}) {
    const ViewLabels labels = Draw(instant);
    EXPECT_FALSE(labels.CalendarDate || labels.StatusText || labels.ParallacticLab2 || labels.UTCLab);
    EXPECT_EQ(CountColor(Image1, Image1.rect(), kUntouched), 730 * 730);
  }
}

TEST_F(renderAltitudeChart, LabelsGiveThePresentPlaceAndTheTurn) {
  const ViewLabels labels = Draw(kInstant);
  ASSERT_TRUE(labels.CalendarDate && labels.StatusText && labels.ParallacticLab2);
  EXPECT_EQ(*labels.CalendarDate, QDate(2024, 1, 9));
  const HorizontalPosition now = Place(kInstant);
  const QString expected = QString(" %1\u00B0  %2 = %3\u00B0")
                               .arg(static_cast<double>(now.Altitude), 0, 'f', 2)
                               .arg(QLatin1String(CompassPoint(now.Azimuth)))
                               .arg(static_cast<double>(now.Azimuth), 0, 'f', 2);
  EXPECT_EQ(*labels.StatusText, expected);
  EXPECT_EQ(labels.ParallacticLab2->Text, QString("Parallactic Rotated 23.4\u00B0 CW"));
  EXPECT_EQ(labels.ParallacticLab2->TextColor, kBlack);
  EXPECT_FALSE(labels.UTCLab || labels.LocLab || labels.ParallacticLab || labels.RotateBoxVisible);
  EXPECT_TRUE(Reporter.Messages.empty());
}

TEST(renderChartText, ParallacticAnglesAreGivenWithinAHalfTurn) {
  const struct {
    long double Q;
    const char* Text;
  } cases[] = {
      {23.4L, "23.4\u00B0 CW"},   {-23.4L, "23.4\u00B0 CCW"}, {190.0L, "170.0\u00B0 CCW"},
      {-190.0L, "170.0\u00B0 CW"}, {359.0L, "1.0\u00B0 CCW"},  {540.0L, "180.0\u00B0 CW"},
      {-180.0L, "180.0\u00B0 CW"}, {0.0L, "0.0\u00B0 CCW"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ParallacticRotatedText(c.Q), QString("Parallactic Rotated ") + QString::fromUtf8(c.Text))
        << static_cast<double>(c.Q);
}

TEST(renderChartText, ZonesAreNamedByTheirOffset) {
  EXPECT_EQ(UtcOffsetText(0), "UTC");
  EXPECT_EQ(UtcOffsetText(-5), QString("UTC\u221205:00"));
  EXPECT_EQ(UtcOffsetText(5.5L), "UTC+05:30");
  EXPECT_EQ(UtcOffsetText(-3.5L), QString("UTC\u221203:30"));
}

// The hours along the bottom and the zone's name are local: another zone changes
// those texts and nothing else.
TEST_F(renderAltitudeChart, TheHourAxisIsInLocalTime) {
  Draw(kInstant);
  const QImage utc = Image1.copy();
  FixedOffsetZone fiveBehind(-300);
  MoonViewServices local{fiveBehind, Reporter};
  DrawPolyLine(kInstant, Record, Options, local, Frame, Image1);
  const QRect hours(0, 710, 730, 14), name(0, 12, 200, 14);
  EXPECT_NE(Image1.copy(hours), utc.copy(hours));
  EXPECT_NE(Image1.copy(name), utc.copy(name));
  QImage rest = Image1, restUtc = utc;
  for (QImage* image : {&rest, &restUtc}) {
    QPainter p(image);
    p.fillRect(hours, Qt::black);
    p.fillRect(name, Qt::black);
  }
  EXPECT_EQ(rest, restUtc);
}

// The kind of sky whose colour a pixel has, if any.
std::optional<SkyKind> SkyKindOf(QRgb pixel) {
  for (const SkyKind kind : {SkyKind::Day, SkyKind::CivilTwilight, SkyKind::NauticalTwilight,
                             SkyKind::AstronomicalTwilight, SkyKind::Night})
    if (SkyColor(kind).rgb() == (pixel | 0xff000000u)) return kind;
  return std::nullopt;
}

TEST_F(renderAltitudeChart, SkyAboveAndGroundFromRow365) {
  Draw(kInstant);
  EXPECT_EQ(CountColor(Image1, QRect(0, 364, 730, 1), kGround), 0);
  int sky = 0;
  for (int x = 0; x < 730; ++x) sky += SkyKindOf(Image1.pixel(x, 363)).has_value();
  EXPECT_GT(sky, 600);
  EXPECT_GT(CountColor(Image1, QRect(0, 366, 730, 1), kGround), 600);
  EXPECT_EQ(CountColor(Image1, Image1.rect(), kUntouched), 0);
}

// At 41.3 N, 73.1 W on 2024-01-09 the present, 01:00 EST, is night and 12:00 EST,
// 11 hours later, is day; from noon back to the night the sky passes through the
// civil, nautical and astronomical twilights in that order (sunset 16:45, end of
// astronomical twilight 18:20 EST).
TEST_F(renderAltitudeChart, TheSkyShowsDayTwilightsAndNight) {
  Draw(kInstant);
  const auto kindAt = [&](int x) { return SkyKindOf(Image1.pixel(x, 20)); };
  EXPECT_EQ(kindAt(360), SkyKind::Night);
  EXPECT_EQ(kindAt(365 + 11 * 730 / 48), SkyKind::Day);
  std::vector<SkyKind> seen;
  for (int x = 365 + 11 * 730 / 48; x < 730; ++x)
    if (const auto kind = kindAt(x); kind && (seen.empty() || seen.back() != *kind)) seen.push_back(*kind);
  ASSERT_GE(seen.size(), 5u);
  EXPECT_EQ(std::vector<SkyKind>(seen.begin(), seen.begin() + 5),
            (std::vector<SkyKind>{SkyKind::Day, SkyKind::CivilTwilight, SkyKind::NauticalTwilight,
                                  SkyKind::AstronomicalTwilight, SkyKind::Night}));
}

// Hour lines (grey, solid) at the grid columns from y = 10 to 705, none at 365
// where the present-time line (white dash-dot, drawn last) stands.
TEST_F(renderAltitudeChart, HourLinesAndThePresentTimeLine) {
  Draw(kInstant);
  for (int i = 4; i <= 44; i += 4) {
    if (i == 24) continue;
    const int x = static_cast<int>(std::nearbyint(i * kStep));
    EXPECT_GT(CountColor(Image1, QRect(x, 10, 1, 696), kGrey), 550) << i;
    EXPECT_NE(PixelAt(Image1, x, 9), kGrey);
    EXPECT_NE(PixelAt(Image1, x, 706), kGrey);
  }
  EXPECT_GT(CountColor(Image1, QRect(365, 10, 1, 696), kWhite), 300);
  EXPECT_EQ(PixelAt(Image1, 365, 10), kWhite);
  EXPECT_EQ(CountColor(Image1, QRect(365, 0, 1, 10), kWhite), 0);
  EXPECT_EQ(CountColor(Image1, QRect(365, 706, 1, 24), kWhite), 0);
  // Drawn last, it crosses the tiny moon.
  EXPECT_GT(CountColor(Image1, TinyMoonBox(kInstant), kWhite), 30);
}

// Each altitude line is drawn unless the present altitude is within 3 degrees of
// it; the 0-degree line is white dash-dot.
TEST_F(renderAltitudeChart, TheAltitudeLineNearThePresentAltitudeIsLeftOut) {
  const auto near = InstantNearGridLine(Options);
  ASSERT_TRUE(near);
  const auto [instant, hidden] = *near;
  Draw(instant);
  const long double altNow = Place(instant).Altitude;
  for (int i = 4; i <= 44; i += 4) {
    const int y = static_cast<int>(std::nearbyint(i * kStep));
    const int grey = CountColor(Image1, QRect(55, y, 675, 1), kGrey);
    if (i == 24) {
      EXPECT_GT(CountColor(Image1, QRect(55, y, 675, 1), kWhite), 250);
    } else if (std::fabs(altNow - ChartGridAltitude(i)) > 3) {
      EXPECT_GT(grey, 400) << i;
    } else {
      EXPECT_LT(grey, 20) << i;  // only where hour lines and the tiny moon's circle cross the row
      EXPECT_EQ(i, hidden);
    }
    EXPECT_LT(CountColor(Image1, QRect(0, y, 55, 1), kGrey), 3) << i;  // the lines start at x = 55
  }
}

// The yellow curve passes within a pixel of the engine's altitude at the columns of
// some hours (away from the tiny moon and the grid columns).
TEST_F(renderAltitudeChart, TheCurveFollowsTheEnginesAltitudes) {
  Draw(kInstant);
  int onCurve = 0;
  for (const int i : {1, 2, 3, 45, 46, 47}) {
    const int x = static_cast<int>(std::nearbyint(i * kStep));
    const int y = CurveY(kInstant - 1 + x / kStep / 24);  // the instant of the column
    ASSERT_TRUE(y >= 1 && y < 729);
    onCurve += CountColor(Image1, QRect(x, y - 1, 1, 3), kYellow) > 0;
  }
  EXPECT_GE(onCurve, 5);  // one may lie under the red present-altitude line
  // The red dotted line of the present altitude runs along row y24 from x = 130.
  const int y24 = CurveY(kInstant);
  const int red = CountColor(Image1, Image1.rect(), kRed);
  EXPECT_GT(red, 150);
  EXPECT_EQ(CountColor(Image1, QRect(130, y24, 591, 1), kRed), red);
}

// The tiny moon: black sky and corners left out, the disc shown, turned by q
// (here a quarter turn clockwise brings the north mark to the right) even with
// Rotate Parallactic off.
TEST_F(renderAltitudeChart, TheTinyMoonIsTransparentAndTurnedByQ) {
  Options.RotateParallactic = false;
  const QRect box = TinyMoonBox(kInstant);
  for (const auto& [q, side] : {std::pair{90.0L, 'R'}, std::pair{-90.0L, 'L'}, std::pair{0.0L, 'U'}}) {
    Record.ParallacticAngle = q;
    Draw(kInstant);
    EXPECT_EQ(CountColor(Image1, Image1.rect(), kBlack), 0);
    EXPECT_GT(CountColor(Image1, box, kDiscColor), 3000);
    int marks = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
      for (int x = box.left(); x <= box.right(); ++x) {
        if (PixelAt(Image1, x, y) != kNorthMark) continue;
        ++marks;
        const int dx = x - box.center().x(), dy = y - box.center().y();
        const int along = side == 'R' ? dx : side == 'L' ? -dx : -dy;  // towards the expected side
        ASSERT_GT(along, 10) << x << "," << y;
      }
    EXPECT_GT(marks, 40) << static_cast<double>(q);
  }
}

// With Show Lines the tiny moon gets its blue axis and a grey circle of radius 41
// (R = int(44.197 - 1832.9 x 0.021 - 1.2) = 4, corners X + 4 and X + 86); without
// them neither, while grid, curve and present-time line stay.
TEST_F(renderAltitudeChart, ShowLinesSwitchesTheTinyMoonsAxisAndCircleOnly) {
  const QRect box = TinyMoonBox(kInstant);
  const auto ringPixels = [&] {
    int count = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
      for (int x = box.left(); x <= box.right(); ++x)
        if (PixelAt(Image1, x, y) == kGrey &&
            std::fabs(std::hypot(x - (box.left() + 44.5), y - (box.top() + 44.5)) - 40.5) <= 1.0)
          ++count;
    return count;
  };
  Draw(kInstant);
  const int blue = CountColor(Image1, Image1.rect(), kBlue);
  EXPECT_GT(blue, 40);
  EXPECT_EQ(CountColor(Image1, box, kBlue), blue);
  EXPECT_GT(ringPixels(), 150);

  Options.ShowLines = false;
  Draw(kInstant);
  EXPECT_EQ(CountColor(Image1, Image1.rect(), kBlue), 0);
  EXPECT_LT(ringPixels(), 20);
  EXPECT_GT(CountColor(Image1, Image1.rect(), kYellow), 300);
  EXPECT_GT(CountColor(Image1, Image1.rect(), kGrey), 5000);
  EXPECT_GT(CountColor(Image1, QRect(365, 10, 1, 696), kWhite), 300);
}

// Between the hours the curve keeps to the engine's altitudes, also at its highs and
// lows where hourly chords would cut under the peak by more than a pixel.
TEST_F(renderAltitudeChart, TheCurveIsRoundAtItsHighsAndLows) {
  Draw(kInstant);
  int highest = 0, lowest = 0;
  for (int i = 0; i <= 48; ++i) {
    const long double alt = Place(kInstant + (i - 24) / 24.0L).Altitude;
    if (alt > Place(kInstant + (highest - 24) / 24.0L).Altitude) highest = i;
    if (alt < Place(kInstant + (lowest - 24) / 24.0L).Altitude) lowest = i;
  }
  int checked = 0;
  for (const int extreme : {highest, lowest})
    for (const double hours : {-1.5, -0.5, 0.5, 1.5}) {
      const int x = static_cast<int>(std::lround((extreme + hours) * kStep));
      if (x < 100 || x > 720 || std::abs(x - 365) < 50) continue;  // clear of the labels and the tiny moon
      const double y = 365 - static_cast<double>(Place(kInstant - 1 + x / kStep / 24).Altitude) * 3.4;
      double nearest = 99;
      for (int row = static_cast<int>(y) - 6; row <= static_cast<int>(y) + 6; ++row)
        if (PixelAt(Image1, x, row) == kYellow) nearest = std::min(nearest, std::fabs(row - y));
      // A pixel line lies within a pixel of the true curve; the chords' sag there is about 1.4 pixels.
      EXPECT_LE(nearest, 1.0) << x;
      ++checked;
    }
  EXPECT_GE(checked, 4);
}

// Drawn for a box, the chart is the 730-pixel layout scaled to the box at the
// screen's resolution, with text at least 9 logical pixels high.
TEST_F(renderAltitudeChart, DrawnForABoxTheLayoutScalesAndTheTextStaysLegible) {
  const struct {
    int side;
    qreal ratio;
  } boxes[] = {{360, 1}, {360, 2}, {730, 1}, {730, 2}, {1460, 1}};
  for (const auto& box : boxes) {
    const ChartPicture chart = DrawAltitudeChart(kInstant, Record, Options, Services, Frame, {box.side, box.ratio});
    const int pixels = static_cast<int>(std::lround(box.side * box.ratio));
    const double k = pixels / 730.0;
    ASSERT_EQ(chart.Picture.size(), QSize(pixels, pixels)) << box.side;
    EXPECT_EQ(chart.Picture.devicePixelRatio(), box.ratio);
    // Sky above the horizon, ground below it, across the whole width.
    const int horizon = static_cast<int>(365 * k);
    int sky = 0;
    for (int x = 0; x < pixels; ++x) sky += SkyKindOf(chart.Picture.pixel(x, horizon - 3)).has_value();
    EXPECT_GT(sky, pixels * 8 / 10) << box.side;
    EXPECT_GT(CountColor(chart.Picture, QRect(0, horizon + 3, pixels, 1), kGround), pixels * 8 / 10) << box.side;
    // "Local time, UTC" in the top-left corner: its light rows, from the capitals'
    // tops to the comma's tail, span about 0.8 of the font's size.
    int top = pixels, bottom = -1;
    for (int y = 0; y < static_cast<int>(40 * k); ++y)
      for (int x = 0; x < static_cast<int>(150 * k); ++x)
        if (chart.Picture.pixelColor(x, y).lightness() > 200) {
          top = std::min(top, y);
          bottom = y;
        }
    EXPECT_GE((bottom - top + 1) / box.ratio, 7.0) << box.side << " at " << box.ratio;
    EXPECT_EQ(chart.Labels.StatusText, Draw(kInstant).StatusText);
  }
}

TEST_F(renderAltitudeChart, APictureOfAnotherSizeIsReplacedByA730Bitmap) {
  Image1 = QImage();
  Draw(kInstant);
  EXPECT_EQ(Image1.size(), QSize(730, 730));
  EXPECT_EQ(Image1.format(), QImage::Format_BGR888);
}

}  // namespace
