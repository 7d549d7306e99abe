// Photometry: the lunar-Lambert law (McEwen 1991, Icarus 92, 298), a blend of
// Lommel-Seeliger and Lambert whose weight L falls with the phase angle, so the full
// Moon shows no limb darkening and the terminator falls off as the Moon's does.
// Light is applied to linear intensity and the result encoded with gamma 2.2, which
// amounts to scaling the map's encoded values by (light)^(1/2.2).
#include "render/drawn_moon.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <numbers>
#include <thread>
#include <vector>

#include "render/moon_maps.h"

namespace {

constexpr double kDeg = std::numbers::pi / 180;
constexpr double kGamma = 2.2;
// Earthshine as encoded pixel values relative to the full Moon (red, green, blue):
// about 8 % of its brightness, a little blue from the Earth's oceans and sky.
constexpr std::array<double, 3> kEarthshine = {0.070, 0.080, 0.095};
// LOLA's slopes are gentle at 10 km a pixel; this brings out the craters' rims.
constexpr double kReliefExaggeration = 2.0;
// How far the exposure follows the phase's brightest ground (0 not at all, 1 fully):
// NASA's frames show a crescent nearly as bright as the full Moon.
constexpr double kExposureFollow = 1.0;
// Encoded gain of the full Moon's map.
constexpr double kGain = 1.12;
// Relief fades out toward the limb, where foreshortened slopes would speckle, and
// toward the full Moon, whose shadows are too short to see.
constexpr float kReliefFadeDepth = 0.25f;
constexpr double kReliefFullPhaseAngle = 20;  // degrees
constexpr float kMinTiltedMu = 0.05f;
constexpr int kLightSteps = 1024;
constexpr float kMaxLight = 2.0f;

// Some Lommel-Seeliger at every phase keeps a crescent bright out to its limb, as in NASA's frames.
constexpr double kMinWeight = 0.25;

// The weight of Lommel-Seeliger against Lambert at phase angle alpha (degrees), McEwen's fit.
double LunarLambertWeight(double alphaDeg) {
  const double a = alphaDeg;
  return std::clamp(1 - 0.019 * a + 2.42e-4 * a * a - 1.46e-6 * a * a * a, kMinWeight, 1.0);
}

float LunarLambert(float weight, float mu0, float mu) {
  return 2 * weight * mu0 / (mu0 + mu) + (1 - weight) * mu0;
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

// Encoded brightness factors per channel (blue, green, red, as stored) for light
// 0...kMaxLight, earthshine included.
std::vector<std::array<float, 3>> LightTable() {
  std::vector<std::array<float, 3>> table(kLightSteps);
  for (int i = 0; i < kLightSteps; ++i) {
    const double light = kMaxLight * i / (kLightSteps - 1);
    for (int c = 0; c < 3; ++c) {
      const double earth = std::pow(kEarthshine[2 - c] / kGain, kGamma);
      table[i][c] = static_cast<float>(kGain * std::pow(light + earth, 1 / kGamma));
    }
  }
  return table;
}

const std::vector<std::array<float, 3>>& EncodedLight() {
  static const std::vector<std::array<float, 3>> table = LightTable();
  return table;
}

struct Vec3f {
  float X, Y, Z;
};

Vec3f ToFloat(const GlobeVector& v) { return {float(v.X), float(v.Y), float(v.Z)}; }

// Everything one frame's pixels share.
struct FrameSetup {
  float Radius;                      // pixels
  std::array<Vec3f, 3> ScreenToBody;  // rows of the matrix
  Vec3f Sun, Viewer;
  float Weight;    // lunar-Lambert L
  float Exposure;  // brings the brightest sunlit ground of the phase toward the full Moon's
  float Relief;    // exaggeration of the slopes at this phase
};

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
  s.Exposure = brightest > 0 ? static_cast<float>(std::pow(brightest, -kExposureFollow)) : 1.0f;
  return s;
}

// Bilinear sample of the albedo at map coordinates (fx, fy) in pixels; the
// longitude wraps around, the latitude stops at the poles.
void SampleAlbedo(const QImage& map, float fx, float fy, float out[3]) {
  const int w = map.width(), h = map.height();
  fy = std::clamp(fy, 0.0f, float(h - 1));
  const int x0 = static_cast<int>(std::floor(fx)), y0 = std::min(static_cast<int>(fy), h - 1);
  const float tx = fx - x0, ty = fy - y0;
  const int xa = (x0 + w) % w, xb = (x0 + 1) % w, y1 = std::min(y0 + 1, h - 1);
  const uchar* r0 = map.constScanLine(y0);
  const uchar* r1 = map.constScanLine(y1);
  for (int c = 0; c < 3; ++c) {
    const float top = r0[3 * xa + c] + tx * (r0[3 * xb + c] - r0[3 * xa + c]);
    const float bottom = r1[3 * xa + c] + tx * (r1[3 * xb + c] - r1[3 * xa + c]);
    out[c] = top + ty * (bottom - top);
  }
}

float SampleGrid(const std::vector<float>& grid, int w, int h, float fx, float fy) {
  fy = std::clamp(fy, 0.0f, float(h - 1));
  const int x0 = static_cast<int>(std::floor(fx)), y0 = std::min(static_cast<int>(fy), h - 1);
  const float tx = fx - x0, ty = fy - y0;
  const int xa = (x0 + w) % w, xb = (x0 + 1) % w, y1 = std::min(y0 + 1, h - 1);
  const float* r0 = &grid[static_cast<size_t>(y0) * w];
  const float* r1 = &grid[static_cast<size_t>(y1) * w];
  const float top = r0[xa] + tx * (r0[xb] - r0[xa]);
  const float bottom = r1[xa] + tx * (r1[xb] - r1[xa]);
  return top + ty * (bottom - top);
}

// The sunlight on the surface at body vector v (unit) seen from screen depth z,
// with the surface tilted by the relief's slopes toward east and north.
float Sunlight(const FrameSetup& s, const Vec3f& v, float z, float slopeEast, float slopeNorth) {
  const float cosLat = std::max(std::sqrt(v.X * v.X + v.Y * v.Y), 1e-6f);
  const Vec3f east{-v.Y / cosLat, v.X / cosLat, 0};
  const Vec3f north{-v.Z * v.X / cosLat, -v.Z * v.Y / cosLat, cosLat};
  const auto tilt = [&](const Vec3f& d, float straight) {
    return straight - slopeEast * (d.X * east.X + d.Y * east.Y) -
           slopeNorth * (d.X * north.X + d.Y * north.Y + d.Z * north.Z);
  };
  const float norm = 1 / std::sqrt(1 + slopeEast * slopeEast + slopeNorth * slopeNorth);
  const float flatMu0 = s.Sun.X * v.X + s.Sun.Y * v.Y + s.Sun.Z * v.Z;
  float mu0 = tilt(s.Sun, flatMu0) * norm, mu = tilt(s.Viewer, z) * norm;
  // A slope turned away from the viewer is hidden by the ground in front of it.
  if (mu < kMinTiltedMu) {
    mu0 = flatMu0;
    mu = z;
  }
  if (mu0 <= 0) return 0;
  return s.Exposure * LunarLambert(s.Weight, mu0, std::max(mu, 1e-3f));
}

void DrawRow(const FrameSetup& s, const MoonMaps& maps, int row, uchar* line) {
  const auto& light = EncodedLight();
  const float y = (kDrawnFrameCentre - row) / s.Radius;
  const float reach = s.Radius + 0.5f;
  const float dy = (kDrawnFrameCentre - row);
  if (std::fabs(dy) >= reach) return;
  const float halfChord = std::sqrt(reach * reach - dy * dy);
  const int first = std::max(0, static_cast<int>(std::floor(kDrawnFrameCentre - halfChord)));
  const int last = std::min(kDrawnFrameSize - 1, static_cast<int>(std::ceil(kDrawnFrameCentre + halfChord)));
  const float mapW = static_cast<float>(maps.Albedo.width()), mapH = static_cast<float>(maps.Albedo.height());
  const float reliefScale = float(maps.ReliefWidth) / mapW;
  for (int col = first; col <= last; ++col) {
    const float dx = col - kDrawnFrameCentre;
    const float dist = std::sqrt(dx * dx + dy * dy);
    const float coverage = std::clamp(reach - dist, 0.0f, 1.0f);
    if (coverage <= 0) continue;
    // Edge pixels take the colour of the limb itself.
    const float shrink = dist > s.Radius ? s.Radius / dist : 1.0f;
    const float x = dx / s.Radius * shrink, yy = y * shrink;
    const float z = std::sqrt(std::max(0.0f, 1 - x * x - yy * yy));
    const Vec3f v{s.ScreenToBody[0].X * x + s.ScreenToBody[0].Y * yy + s.ScreenToBody[0].Z * z,
                  s.ScreenToBody[1].X * x + s.ScreenToBody[1].Y * yy + s.ScreenToBody[1].Z * z,
                  s.ScreenToBody[2].X * x + s.ScreenToBody[2].Y * yy + s.ScreenToBody[2].Z * z};
    const float lon = std::atan2(v.Y, v.X), lat = std::asin(std::clamp(v.Z, -1.0f, 1.0f));
    const float fx = (lon * float(0.5 / std::numbers::pi) + 0.5f) * mapW - 0.5f;
    const float fy = (0.5f - lat * float(1 / std::numbers::pi)) * mapH - 0.5f;
    float albedo[3];
    SampleAlbedo(maps.Albedo, fx, fy, albedo);
    const float rx = (fx + 0.5f) * reliefScale - 0.5f, ry = (fy + 0.5f) * reliefScale - 0.5f;
    const float relief = s.Relief * std::min(1.0f, z / kReliefFadeDepth);
    const float se = relief * SampleGrid(maps.SlopeEast, maps.ReliefWidth, maps.ReliefHeight, rx, ry);
    const float sn = relief * SampleGrid(maps.SlopeNorth, maps.ReliefWidth, maps.ReliefHeight, rx, ry);
    const float sun = std::min(Sunlight(s, v, z, se, sn), kMaxLight);
    const auto& factor = light[static_cast<int>(sun * ((kLightSteps - 1) / kMaxLight) + 0.5f)];
    for (int c = 0; c < 3; ++c)
      line[3 * col + c] = static_cast<uchar>(std::min(255.0f, albedo[c] * factor[c] * coverage + 0.5f));
  }
}

// Runs rowJob(row) for every row, the rows interleaved over the machine's cores.
void ForEachRow(int rows, const std::function<void(int)>& rowJob) {
  const int workers = static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 16u));
  std::vector<std::thread> threads;
  for (int w = 1; w < workers; ++w)
    threads.emplace_back([&, w] {
      for (int row = w; row < rows; row += workers) rowJob(row);
    });
  for (int row = 0; row < rows; row += workers) rowJob(row);
  for (auto& t : threads) t.join();
}

}  // namespace

double DrawnDiscDiameter(long double diam) { return static_cast<double>(diam * 0.3439L + 9.7203L); }

MoonHourValues HourValuesOf(const NasaHourRecord& r) {
  return {r.Phase, r.Age, r.Diam, r.Dist, r.RA, r.Dec, r.Slon, r.Slat, r.Elon, r.Elat, r.AxisA};
}

MoonGlobe GlobeOf(const MoonHourValues& v) {
  return MoonGlobe(double(v.Elon), double(v.Elat), double(v.AxisA), double(v.Slon), double(v.Slat));
}

QImage DrawMoonFrame(const MoonHourValues& values) {
  QImage frame(kDrawnFrameSize, kDrawnFrameSize, QImage::Format_BGR888);
  frame.fill(Qt::black);
  const FrameSetup setup = SetUp(values);
  const MoonMaps& maps = LoadedMoonMaps();
  uchar* const pixels = frame.bits();  // one detach here; the threads write disjoint rows
  const qsizetype stride = frame.bytesPerLine();
  ForEachRow(kDrawnFrameSize, [&](int row) { DrawRow(setup, maps, row, pixels + row * stride); });
  return frame;
}
