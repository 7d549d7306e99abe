// The drawn Moon against NASA's hourly values and independent references: the disc's
// size and place, the sunlit fraction (NASA's Phase), the direction of the bright
// limb (from ERFA's Sun and the row's Moon), and where known features land.
#include <erfa.h>
#include <gtest/gtest.h>

#include <QDate>
#include <QThreadPool>
#include <cmath>
#include <fstream>
#include <future>
#include <numbers>
#include <sstream>
#include <vector>

#include "render/drawn_moon.h"

namespace {

constexpr double kDeg = std::numbers::pi / 180;

struct Hour {
  long double Day;  // from 1899-12-30, UTC
  MoonHourValues Values;
};

NasaHourRecord Row(int year, int r) { return NasaRecord(*NasaTableOf(year), r); }

// 100 hours spread evenly over 2024, 2025 and 2026.
std::vector<Hour> SpreadHours() {
  std::vector<Hour> hours;
  for (int i = 0; i < 34; ++i) {
    const NasaHourRecord r = Row(2024, i * 257 + 11);
    hours.push_back({r.DateTime, HourValuesOf(r)});
  }
  for (int i = 0; i < 33; ++i) {
    const NasaHourRecord r = Row(2025, i * 263 + 5);
    hours.push_back({r.DateTime, HourValuesOf(r)});
  }
  for (int i = 0; i < 33; ++i) {
    const NasaHourRecord r = Row(2026, i * 263 + 7);
    hours.push_back({r.DateTime, HourValuesOf(r)});
  }
  return hours;
}

MoonHourValues FullyLit(MoonHourValues v) {
  v.Slon = v.Elon;
  v.Slat = v.Elat;
  return v;
}

int Green(const QImage& frame, int x, int y) { return frame.constScanLine(y)[3 * x + 1]; }

double Radius(const MoonHourValues& v) { return DrawnDiscDiameter(v.Diam) / 2; }

// The position angle (degrees, north through east) of the bright limb: Meeus,
// Astronomical Algorithms, eq. 48.5, with the Sun's place from ERFA's Earth ephemeris.
double BrightLimbAngle(const Hour& h) {
  double pvh[2][3], pvb[2][3];
  eraEpv00(2415018.5, double(h.Day) + 69.2 / 86400, pvh, pvb);
  const double sunRa = std::atan2(-pvh[0][1], -pvh[0][0]);
  const double sunDec = std::atan2(-pvh[0][2], std::hypot(pvh[0][0], pvh[0][1]));
  const double ra = double(h.Values.RA) * 15 * kDeg, dec = double(h.Values.Dec) * kDeg;
  return std::atan2(std::cos(sunDec) * std::sin(sunRa - ra),
                    std::sin(sunDec) * std::cos(dec) - std::cos(sunDec) * std::sin(dec) * std::cos(sunRa - ra)) /
         kDeg;
}

double AngleBetween(double a, double b) { return std::fabs(std::remainder(a - b, 360.0)); }

// Pixels brighter than this are sunlit: earthshine stays below 10 % of white.
constexpr int kSunlitGreen = 30;

TEST(drawnMoon, DiscHasNasasDiameterAndCentre) {
  for (const long double diam : {1760.0L, 1870.0L, 2010.0L}) {
    MoonHourValues v = FullyLit(HourValuesOf(Row(2024, 300)));
    v.Diam = diam;
    const QImage frame = DrawMoonFrame(v);
    ASSERT_EQ(frame.size(), QSize(kDrawnFrameSize, kDrawnFrameSize));
    double count = 0, sx = 0, sy = 0;
    for (int y = 0; y < frame.height(); ++y)
      for (int x = 0; x < frame.width(); ++x)
        if (Green(frame, x, y) > 12) ++count, sx += x, sy += y;
    EXPECT_NEAR(2 * std::sqrt(count / std::numbers::pi), DrawnDiscDiameter(diam), 2) << diam;
    EXPECT_NEAR(sx / count, kDrawnFrameCentre, 1) << diam;
    EXPECT_NEAR(sy / count, kDrawnFrameCentre, 1) << diam;
    EXPECT_EQ(Green(frame, 2, 2), 0);
  }
}

// Frames drawn from several threads at once share the drawing pool and the maps:
// each must come out as the frame drawn alone.
TEST(drawnMoon, FramesDrawnAtOnceMatchTheFrameDrawnAlone) {
  const MoonHourValues values = HourValuesOf(Row(2024, 412));
  const QImage alone = DrawMoonFrame(values);
  QThreadPool rows;
  rows.setMaxThreadCount(3);
  std::vector<std::future<QImage>> frames;
  for (int i = 0; i < 4; ++i)
    frames.push_back(std::async(std::launch::async, [&] { return DrawMoonFrame(values, &rows); }));
  for (std::future<QImage>& frame : frames) EXPECT_EQ(frame.get(), alone);
}

// Values that cannot be drawn give a black frame, never a crash.
TEST(drawnMoon, UndrawableValuesGiveABlackFrame) {
  const MoonHourValues good = HourValuesOf(Row(2025, 0));
  std::vector<MoonHourValues> bad(4, good);
  bad[0].Elon = std::nan("");
  bad[1].AxisA = INFINITY;
  bad[2].Diam = -5;
  bad[3].Diam = kLargestDiam + 1;
  for (const MoonHourValues& v : bad) {
    EXPECT_FALSE(Drawable(v));
    const QImage frame = DrawMoonFrame(v);
    EXPECT_EQ(frame.size(), QSize(kDrawnFrameSize, kDrawnFrameSize));
    EXPECT_EQ(Green(frame, kDrawnFrameCentre, kDrawnFrameCentre), 0);
  }
  EXPECT_TRUE(Drawable(good));
}

// The sunlit part of the disc by the globe's geometry agrees with the picture (sunlit
// ground is drawn bright, ground well past the terminator only in earthshine), covers
// NASA's Phase, and lies toward the bright limb's position angle.
// The hundred hours are dealt round-robin to shards that CTest runs side by side.
constexpr int kSunlitShards = 4;

class DrawnMoonSunlitPart : public ::testing::TestWithParam<int> {};

TEST_P(DrawnMoonSunlitPart, MatchesPhaseAndBrightLimb) {
  const std::vector<Hour> hours = SpreadHours();
  ASSERT_EQ(hours.size(), 100u);
  for (std::size_t i = static_cast<std::size_t>(GetParam()); i < hours.size(); i += kSunlitShards) {
    const Hour& h = hours[i];
    const QImage frame = DrawMoonFrame(h.Values);
    const MoonGlobe globe = GlobeOf(h.Values);
    const double r = Radius(h.Values);
    double disc = 0, lit = 0, agree = 0, clear = 0, cx = 0, cy = 0;
    for (int row = 0; row < kDrawnFrameSize; ++row)
      for (int col = 0; col < kDrawnFrameSize; ++col) {
        const double x = (col - kDrawnFrameCentre) / r, y = (kDrawnFrameCentre - row) / r;
        if (x * x + y * y > 1) continue;
        const double mu0 = Dot(globe.ToBody(x, y, std::sqrt(1 - x * x - y * y)), globe.Sun());
        const bool bright = Green(frame, col, row) > kSunlitGreen;
        ++disc;
        lit += mu0 > 0;
        if (std::fabs(mu0) > 0.15) ++clear, agree += bright == (mu0 > 0);
        if (bright) cx += x, cy += y;
      }
    const double phase = double(h.Values.Phase);
    EXPECT_NEAR(100 * lit / disc, phase, 2) << double(h.Day);
    EXPECT_GT(agree / clear, 0.98) << double(h.Day);
    if (phase > 5 && phase < 95) {
      EXPECT_LT(AngleBetween(std::atan2(-cx, cy) / kDeg, BrightLimbAngle(h)), 3) << double(h.Day) << " " << phase;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Shards, DrawnMoonSunlitPart, ::testing::Range(0, kSunlitShards));

// The hours of 2024 with the widest librations in longitude and latitude and the
// largest tilts of the axis either way.
std::vector<MoonHourValues> Librations() {
  const auto extreme = [](auto key, bool largest) {
    int best = 0;
    for (int i = 1; i < 8784; ++i)
      if ((key(Row(2024, i)) > key(Row(2024, best))) == largest) best = i;
    return HourValuesOf(Row(2024, best));
  };
  const auto elon = [](const NasaHourRecord& r) { return r.Elon; };
  const auto elat = [](const NasaHourRecord& r) { return r.Elat; };
  const auto axis = [](const NasaHourRecord& r) { return std::remainder(r.AxisA, 360.0L); };
  return {extreme(elon, true), extreme(elon, false), extreme(elat, true),
          extreme(elat, false), extreme(axis, true), extreme(axis, false)};
}

// Snyder, Map Projections: A Working Manual, eq. 20-3 and 20-4 (orthographic), turned
// by the axis angle counterclockwise on a screen with east to the left.
QPointF PredictedPixel(const MoonHourValues& v, double lonDeg, double latDeg) {
  const double lon = lonDeg * kDeg, lat = latDeg * kDeg, lon0 = double(v.Elon) * kDeg, lat0 = double(v.Elat) * kDeg;
  const double x = std::cos(lat) * std::sin(lon - lon0);
  const double y = std::cos(lat0) * std::sin(lat) - std::sin(lat0) * std::cos(lat) * std::cos(lon - lon0);
  const double p = double(v.AxisA) * kDeg, r = Radius(v);
  return {kDrawnFrameCentre + r * (x * std::cos(p) - y * std::sin(p)),
          kDrawnFrameCentre - r * (x * std::sin(p) + y * std::cos(p))};
}

double MeanGreen(const QImage& frame, QPointF at) {
  double sum = 0;
  for (int dy = -2; dy <= 2; ++dy)
    for (int dx = -2; dx <= 2; ++dx) sum += Green(frame, int(at.x()) + dx, int(at.y()) + dy);
  return sum / 25;
}

// Tycho and Mare Crisium's centre: where the projection puts them, the globe's
// inverse finds the feature again, and the fully lit picture shows Tycho brighter
// than the ground around it (or white, where NASA's exposure of the full Moon takes
// its bright rays to the top of the scale) and Crisium darker than the disc's average.
TEST(drawnMoon, FeaturesLandWhereTheProjectionPutsThem) {
  struct Feature {
    const char* Name;
    double Lon, Lat;
  };
  const Feature tycho{"Tycho", -11.4, -43.3}, crisium{"Crisium", 59.1, 17.0};
  for (const MoonHourValues& v : Librations()) {
    const MoonGlobe globe = GlobeOf(v);
    const double r = Radius(v);
    for (const Feature& f : {tycho, crisium}) {
      const QPointF pixel = PredictedPixel(v, f.Lon, f.Lat);
      const auto p = globe.Project(f.Lon, f.Lat);
      ASSERT_TRUE(p) << f.Name;
      EXPECT_LT(std::hypot(kDrawnFrameCentre + r * p->X - pixel.x(), kDrawnFrameCentre - r * p->Y - pixel.y()), 3)
          << f.Name << " Elon " << double(v.Elon);
      const double x = (pixel.x() - kDrawnFrameCentre) / r, y = (kDrawnFrameCentre - pixel.y()) / r;
      const double cosArc = Dot(globe.ToBody(x, y, std::sqrt(1 - x * x - y * y)), SelenographicVector(f.Lon, f.Lat));
      EXPECT_LT(std::acos(std::min(cosArc, 1.0)) * r, 3) << f.Name << " Elon " << double(v.Elon);
    }
    const QImage frame = DrawMoonFrame(FullyLit(v));
    const QPointF t = PredictedPixel(v, tycho.Lon, tycho.Lat);
    double ring = 0;
    for (int k = 0; k < 8; ++k)
      ring += MeanGreen(frame, t + 25 * QPointF(std::cos(k * std::numbers::pi / 4), std::sin(k * std::numbers::pi / 4)));
    EXPECT_GE(MeanGreen(frame, t), std::min(255.0, ring / 8 + 15)) << "Tycho, Elon " << double(v.Elon);
    double disc = 0, sum = 0;
    for (int y = 0; y < frame.height(); ++y)
      for (int x = 0; x < frame.width(); ++x)
        if (Green(frame, x, y) > 12) ++disc, sum += Green(frame, x, y);
    EXPECT_LT(MeanGreen(frame, PredictedPixel(v, crisium.Lon, crisium.Lat)) + 20, sum / disc)
        << "Crisium, Elon " << double(v.Elon);
  }
}

}  // namespace
