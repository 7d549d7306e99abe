// The Earth's shadow on the drawn Moon: where its parts land on the disc and how
// they look, on an evenly grey disc so that only the shadow changes the pixels.
#include <gtest/gtest.h>

#include <cmath>

#include "astro/lunar_eclipses.h"
#include "render/drawn_moon.h"
#include "render/eclipse_shadow.h"
#include "support/render_support.h"

namespace {

constexpr double kDisc = 600;  // pixels across
constexpr int kDiscGrey = 180;

QImage GreyDisc() {
  QImage frame(kDrawnFrameSize, kDrawnFrameSize, QImage::Format_BGR888);
  frame.fill(QColor(kDiscGrey, kDiscGrey, kDiscGrey));
  return frame;
}

double At(int h, int mi) { return static_cast<double>(EncodeDateTimeOrZero(2025, 3, 14, h, mi, 0, 0)); }

int Brightness(ColorRef c) { return RedOf(c) + GreenOf(c) + BlueOf(c); }
double Redness(ColorRef c) { return RedOf(c) / (GreenOf(c) + 1.0); }

}  // namespace

// At U1 + 30 min of 2025-03-14 the Moon, passing north of the shadow's centre (gamma
// +0.35), has the umbra over its south-east: lower left in a frame with north up and
// east left. Walking from the disc's centre toward the shadow's, the colour turns
// copper within 2 pixels of the umbra's edge as the geometry places it.
TEST(EclipseShadow, UmbraEdgeLiesWhereTheGeometryPutsIt) {
  const EarthShadow s = EarthShadowAt(At(5, 40));
  QImage frame = GreyDisc();
  ApplyEarthShadow(frame, kDisc, s);
  const double pxPerDeg = kDisc / 2 / s.MoonRadiusDeg;
  const double east = s.CentreEastDeg * pxPerDeg, north = s.CentreNorthDeg * pxPerDeg;
  EXPECT_GT(east, 0);
  EXPECT_LT(north, 0);
  const double distance = std::hypot(east, north), edge = distance - s.UmbraRadiusDeg * pxPerDeg;
  ASSERT_LT(edge, kDisc / 2);
  const auto pixelAt = [&](double along) {
    return PixelAt(frame, int(std::lround(kDrawnFrameCentre - east / distance * along)),
                   int(std::lround(kDrawnFrameCentre - north / distance * along)));
  };
  // The edge's soft band is 2 % of the umbra's radius wide; a sign or scale error moves it by far more.
  EXPECT_GT(Redness(pixelAt(edge + 8)), 2.0);
  EXPECT_LT(Redness(pixelAt(edge - 8)), 1.1);
  EXPECT_LT(Brightness(pixelAt(edge + 8)), Brightness(pixelAt(edge - 8)));
  // The penumbra darkens the grey toward the umbra; the far limb it hardly touches.
  EXPECT_LT(Brightness(pixelAt(edge - 8)), Brightness(pixelAt(-kDisc / 2 + 4)));
  EXPECT_LT(Brightness(pixelAt(edge - 8)), 3 * kDiscGrey * 0.6);
}

// At mid-totality the disc's pixel nearest the shadow's centre is darker and redder
// than the limb farthest from it.
TEST(EclipseShadow, UmbraDarkensAndReddensTowardItsCentre) {
  const EarthShadow s = EarthShadowAt(At(6, 59));
  QImage frame = GreyDisc();
  ApplyEarthShadow(frame, kDisc, s);
  const double d = std::hypot(s.CentreEastDeg, s.CentreNorthDeg);
  const auto limb = [&](double sign) {
    return PixelAt(frame, int(std::lround(kDrawnFrameCentre - sign * s.CentreEastDeg / d * (kDisc / 2 - 3))),
                   int(std::lround(kDrawnFrameCentre - sign * s.CentreNorthDeg / d * (kDisc / 2 - 3))));
  };
  const ColorRef nearCentre = limb(1), farLimb = limb(-1);
  EXPECT_LT(Brightness(nearCentre), Brightness(farLimb) / 2);
  EXPECT_GT(Redness(nearCentre), Redness(farLimb));
  EXPECT_GT(Redness(farLimb), 2.0);
}

// A Moon clear of the penumbra keeps its pixels: before P1, after P4, and at the new
// Moon of the solar eclipse of 2025-03-29, with the shadow on the far side of the sky.
TEST(EclipseShadow, MoonClearOfThePenumbraIsUnchanged) {
  const double solarEclipse = static_cast<double>(EncodeDateTimeOrZero(2025, 3, 29, 10, 48, 0, 0));
  for (const double instant : {At(3, 50), At(10, 10), At(18, 0), solarEclipse}) {
    QImage frame = GreyDisc();
    ApplyEarthShadow(frame, kDisc, EarthShadowAt(instant));
    EXPECT_EQ(frame, GreyDisc()) << instant;
  }
}
