// The frame's setup from the hour's values, in double precision: the globe's
// orientation, the phase angle and what follows from it for the lunar-Lambert law
// (McEwen 1991, Icarus 92, 298). The pixels are drawn by DrawRow, rows shared over
// the cores by a pool of threads kept from frame to frame.
#include "render/drawn_moon.h"

#include <QThreadPool>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "render/drawn_moon_row.h"
#include "render/moon_maps.h"

namespace {

constexpr double kDeg = std::numbers::pi / 180;
// LOLA's slopes are gentle at 10 km a pixel; this brings out the craters' rims.
constexpr double kReliefExaggeration = 2.0;
constexpr double kReliefFullPhaseAngle = 20;  // degrees

// Some Lommel-Seeliger at every phase keeps a crescent bright out to its limb, as in NASA's frames.
constexpr double kMinWeight = 0.5;

// The earthshine's strength at phase angle alpha (degrees): the Earth's lit
// fraction k seen from the Moon beyond its half, 2 k - 1 = -cos(alpha). The Earth is
// full at new Moon (alpha 180) and half lit at the quarters, from where on its light
// is lost beside the sunlit half.
double EarthshineStrength(double alphaDeg) { return std::max(0.0, -std::cos(alphaDeg * kDeg)); }

// NASA's frames are exposed a little brighter at the gibbous phases than at the
// full Moon and a little darker at the crescents than the brightest ground of each
// phase alone would make them: the factor on the encoded sunlit pixels by phase
// angle (degrees, every 30), measured over NASA's hourly frames of a year.
constexpr std::array<double, 7> kPhaseGain = {1.0, 1.085, 1.10, 1.035, 0.97, 0.93, 0.93};

double PhaseGain(double alphaDeg) {
  const double at = std::clamp(alphaDeg / 30, 0.0, 5.999);
  const int i = static_cast<int>(at);
  return kPhaseGain[i] + (at - i) * (kPhaseGain[i + 1] - kPhaseGain[i]);
}

// The weight of Lommel-Seeliger against Lambert at phase angle alpha (degrees), McEwen's fit.
double LunarLambertWeight(double alphaDeg) {
  const double a = alphaDeg;
  return std::clamp(1 - 0.019 * a + 2.42e-4 * a * a - 1.46e-6 * a * a * a, kMinWeight, 1.0);
}

// The brightest sunlight on smooth ground at phase angle alpha: along the great
// circle through the sub-Earth and sub-solar points, where it peaks.
double BrightestLight(double alphaDeg, float weight) {
  double best = 0;
  for (int i = 0; i <= 90; ++i) {
    const double theta = (alphaDeg - 90 + (180 - alphaDeg) * i / 90.0) * kDeg;  // from the sub-Earth point
    const double mu = std::cos(theta), mu0 = std::cos(theta - alphaDeg * kDeg);
    if (mu > 0.05 && mu0 > 0) best = std::max(best, double(LunarLambert(weight, float(mu0), float(mu))));
  }
  return best;
}

Vec3f ToFloat(const GlobeVector& v) { return {float(v.X), float(v.Y), float(v.Z)}; }

FrameSetup SetUp(const MoonHourValues& values) {
  const MoonGlobe globe = GlobeOf(values);
  FrameSetup s{};
  s.Radius = static_cast<float>(DrawnDiscDiameter(values.Diam) / 2);
  const GlobeVector ex = globe.ToBody(1, 0, 0), ey = globe.ToBody(0, 1, 0), ez = globe.ToBody(0, 0, 1);
  s.ScreenToBody = {Vec3f{float(ex.X), float(ey.X), float(ez.X)}, Vec3f{float(ex.Y), float(ey.Y), float(ez.Y)},
                    Vec3f{float(ex.Z), float(ey.Z), float(ez.Z)}};
  s.Sun = ToFloat(globe.Sun());
  s.Viewer = ToFloat(globe.Viewer());
  const double alpha = std::acos(std::clamp(Dot(globe.Sun(), globe.Viewer()), -1.0, 1.0)) / kDeg;
  s.Weight = static_cast<float>(LunarLambertWeight(alpha));
  const double brightest = BrightestLight(alpha, s.Weight);
  s.Relief = static_cast<float>(kReliefExaggeration * std::min(1.0, alpha / kReliefFullPhaseAngle));
  // The gain is on encoded pixels, which are the light to the power 1 / 2.2.
  const double gain = std::pow(PhaseGain(alpha), 2.2);
  s.Exposure = static_cast<float>(brightest > 0 ? gain / brightest : gain);
  s.Earthshine = static_cast<float>(EarthshineStrength(alpha));
  return s;
}

// Runs rowJob(row) for every row, the rows interleaved over the calling thread and
// the threads of rowPool (none when null).
template <typename RowJob>
void ForEachRow(int rows, QThreadPool* rowPool, const RowJob& rowJob) {
  const int workers = rowPool ? std::clamp(rowPool->maxThreadCount() + 1, 1, 16) : 1;
  std::vector<QFuture<void>> shares;
  for (int w = 1; w < workers; ++w)
    shares.push_back(QtConcurrent::run(rowPool, [&, w] {
      for (int row = w; row < rows; row += workers) rowJob(row);
    }));
  for (int row = 0; row < rows; row += workers) rowJob(row);
  for (QFuture<void>& share : shares) share.waitForFinished();
}

}  // namespace

MoonGlobe GlobeOf(const MoonHourValues& v) {
  return MoonGlobe(double(v.Elon), double(v.Elat), double(v.AxisA), double(v.Slon), double(v.Slat));
}

bool Drawable(const MoonHourValues& v) {
  for (const long double angle : {v.Slon, v.Slat, v.Elon, v.Elat, v.AxisA})
    if (!std::isfinite(angle)) return false;
  return v.Diam > 0 && v.Diam <= kLargestDiam;
}

QImage DrawMoonFrame(const MoonHourValues& values, QThreadPool* rowPool) {
  QImage frame(kDrawnFrameSize, kDrawnFrameSize, QImage::Format_BGR888);
  frame.fill(Qt::black);
  if (!Drawable(values)) return frame;
  const FrameSetup setup = SetUp(values);
  const MoonMaps& maps = LoadedMoonMaps();
  uchar* const pixels = frame.bits();  // one detach here; the threads write disjoint rows
  const qsizetype stride = frame.bytesPerLine();
  ForEachRow(kDrawnFrameSize, rowPool, [&](int row) { DrawRow(setup, maps, row, pixels + row * stride); });
  return frame;
}
