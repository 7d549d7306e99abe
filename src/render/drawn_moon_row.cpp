// Photometry as NASA's frames show it, measured over a year of them: a Lambert
// surface of the maps' reflectance (the colour mosaic's value to the power 1.64), lit
// by the Sun and, on the night side, by a faint bluish light from the direction
// opposite the Sun (the earthshine, the same at every phase, fading toward the
// terminator), the light encoded with the sRGB curve. The sRGB curve's linear toe is
// what keeps the earthshine's maria and highlands apart.
// A row's pixels pass through the stages as arrays, so that the arithmetic of several
// pixels runs at once in vector registers; only the map reads go pixel by pixel.
#include "render/drawn_moon_row.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <array>

#include "render/drawn_moon.h"

namespace {

// Colours and map cells as vectors of floats, so that blends work on all channels at once.
using Vec4f = float __attribute__((vector_size(16)));
using Vec2f = float __attribute__((vector_size(8)));
using Ints = std::int32_t __attribute__((vector_size(16)));

// The frame's centre lies on the corner of the four middle pixels, as in NASA's frames.
constexpr float kCentre = kDrawnFrameCentre - 0.5f;
// The light of the Sun and of the earthshine on ground facing it squarely, per
// channel (blue, green, red, as stored): the Sun a little warm, the Earth's light
// bluish and 1.4 % of the Sun's in green.
constexpr Vec4f kSunlight{1.73f, 1.77f, 1.83f, 0};
constexpr Vec4f kEarthlight{0.0373f, 0.0226f, 0.0172f, 0};
// The earthshine never quite fades: even ground that faces away from it gets this
// share of its light, as the night side near the terminator shows in NASA's frames.
constexpr float kEarthlightFloor = 0.05f;
// Steps of the encoding's table: enough that the darkest earthshine keeps its detail.
constexpr int kEncodeSteps = 16384;
// Relief fades out toward the limb, where foreshortened slopes would speckle, and
// toward the full Moon, whose shadows are too short to see.
constexpr float kReliefFadeDepth = 0.25f;
// The band of the Sun's cosine on flat ground where relief is drawn: from the
// terminator (beyond it the grazing Sun's shadows hide the peaks, as in NASA's frames)
// to a Sun 37 degrees high, fading out over the last 15 degrees.
constexpr float kReliefDay = 0.6f, kReliefDayFade = 0.25f;
constexpr float kMinTiltedMu = 0.05f;
// Under a grazing Sun the terrain's cast shadows, which the slopes alone do not
// draw, hide much of the ground: half of it where the Sun's cosine is this.
constexpr float kGrazingMu0 = 0.012f;
// How many pixels ahead the map cells are asked for.
constexpr int kPrefetchAhead = 16;

// The sRGB encoding of light 0...1 in kEncodeSteps - 1 steps, as pixel values; a
// byte each, so that the table stays in the fastest cache.
const std::array<std::uint8_t, kEncodeSteps>& EncodingTable() {
  static const std::array<std::uint8_t, kEncodeSteps> table = [] {
    std::array<std::uint8_t, kEncodeSteps> t{};
    for (int i = 0; i < kEncodeSteps; ++i) {
      const double light = double(i) / (kEncodeSteps - 1);
      const double encoded = light <= 0.0031308 ? 12.92 * light : 1.055 * std::pow(light, 1 / 2.4) - 0.055;
      t[i] = static_cast<std::uint8_t>(std::lround(255 * encoded));
    }
    return t;
  }();
  return table;
}

// atan(t) for |t| <= 1 within 1e-5 radians (a minimax polynomial, Abramowitz and
// Stegun 4.4.49 in its common single-precision form); the map's pixel is 1.5e-3.
inline float AtanUnit(float t) {
  const float t2 = t * t;
  return t * (0.99997726f +
              t2 * (-0.33262347f + t2 * (0.19354346f + t2 * (-0.11643287f + t2 * (0.05265332f + t2 * -0.01172120f)))));
}

// Without branches, so that a loop of them runs on vector registers.
inline float FastAtan2(float y, float x) {
  const float ax = std::fabs(x), ay = std::fabs(y);
  float a = AtanUnit(std::min(ax, ay) / std::max(std::max(ax, ay), 1e-30f));
  a = ay > ax ? float(std::numbers::pi / 2) - a : a;
  a = x < 0 ? float(std::numbers::pi) - a : a;
  return y < 0 ? -a : a;
}

// Each lane keeps its own byte of the cell in place and is scaled back after the
// conversion (exactly, by a power of two): converting the bytes as a 4-byte vector
// would move each one through an integer register.
inline Vec4f CellVector(const AlbedoCell& c) {
  std::int32_t bits;
  std::memcpy(&bits, c.data(), sizeof bits);
  const Ints lanes = Ints{bits, bits, bits, bits} & Ints{0xff, 0xff00, 0xff0000, 0};
  return __builtin_convertvector(lanes, Vec4f) * Vec4f{1, 0x1p-8f, 0x1p-16f, 0};
}

inline Vec2f CellVector(const std::array<float, 2>& c) { return Vec2f{c[0], c[1]}; }

// Where the bilinear samples of a row's pixels read a map: the index of the top
// left cell and the weights of the cells right of it and below.
struct MapSpots {
  std::array<int, kDrawnFrameSize> At;
  std::array<float, kDrawnFrameSize> Tx, Ty;

  // Pixel i samples a map of width x height cells at (u, v), in cells from its
  // left and top edges. The bounds come first so that even a NaN reads inside the map.
  void Aim(int width, int height, int i, float u, float v) {
    const float px = std::min(width - 0.5f, std::max(-0.5f, u - 0.5f));
    const float py = std::min(height - 0.5f, std::max(-0.5f, v - 0.5f));
    const int x0 = static_cast<int>(px + 1) - 1, y0 = static_cast<int>(py + 1) - 1;
    At[i] = (y0 + 1) * (width + 2) + x0 + 1, Tx[i] = px - x0, Ty[i] = py - y0;
  }

  // Asks for the cells of pixel i ahead of their use: along a row the map is read
  // in steps no prefetcher foresees.
  template <typename Cell>
  void Prefetch(const PaddedMap<Cell>& map, int i) const {
    const Cell* top = map.Cells.data() + At[i];
    __builtin_prefetch(top);
    __builtin_prefetch(top + map.Width + 2);
  }

  template <typename Cell>
  auto Bilinear(const PaddedMap<Cell>& map, int i) const {
    const Cell* top = map.Cells.data() + At[i];
    const Cell* bottom = top + map.Width + 2;
    const auto a = CellVector(top[0]), b = CellVector(top[1]), c = CellVector(bottom[0]), d = CellVector(bottom[1]);
    const auto upper = a + Tx[i] * (b - a), lower = c + Tx[i] * (d - c);
    return upper + Ty[i] * (lower - upper);
  }
};

// The sunlight on ground where the Sun's cosine is mu0.
inline float FlatSunlight(float mu0) { return std::max(mu0, 0.0f); }

// The sunlight on ground tilted by the relief's slopes toward east and north, at
// body vector v (unit, cosLat the length of its equatorial part) seen from screen
// depth z, where flat ground would have the Sun's cosine flatMu0.
inline float TiltedSunlight(const FrameSetup& s, const Vec3f& v, float z, float cosLat, float flatMu0,
                            float slopeEast, float slopeNorth) {
  const float inv = 1 / std::max(cosLat, 1e-6f);
  const Vec3f east{-v.Y * inv, v.X * inv, 0};
  const Vec3f north{-v.Z * v.X * inv, -v.Z * v.Y * inv, cosLat};
  const auto tilt = [&](const Vec3f& d, float straight) {
    return straight - slopeEast * (d.X * east.X + d.Y * east.Y) -
           slopeNorth * (d.X * north.X + d.Y * north.Y + d.Z * north.Z);
  };
  const float norm = 1 / std::sqrt(1 + slopeEast * slopeEast + slopeNorth * slopeNorth);
  const float mu = tilt(s.Viewer, z) * norm;
  const float tilted = FlatSunlight(tilt(s.Sun, flatMu0) * norm);
  // A slope turned away from the viewer is hidden by the ground in front of it.
  return mu < kMinTiltedMu ? FlatSunlight(flatMu0) : tilted;
}

// How much of the relief shows: all of it near the terminator, none under a high
// Sun (where slopes barely change the light), in the night or at the limb.
inline float ReliefWeight(const FrameSetup& s, float z, float flatMu0) {
  const float weight =
      s.Relief * std::min(1.0f, z / kReliefFadeDepth) * std::min(1.0f, (kReliefDay - flatMu0) / kReliefDayFade);
  return flatMu0 <= 0 || flatMu0 > kReliefDay ? 0 : weight;
}

// One row's pixels inside the disc, column First + i at index i, as arrays: the
// arithmetic runs on several pixels at once, only the maps are read pixel by pixel.
struct RowPixels {
  int First = 0, Count = 0;
  std::array<float, kDrawnFrameSize> Coverage, Z, Vx, Vy, Vz, CosLat, Mu0, Relief, SlopeEast, SlopeNorth, Sun;
  MapSpots Albedo, Slopes;
};

// The loops over a row's pixels are built twice, for any x86-64 processor and for
// those with AVX2 and FMA, where they take 8 pixels a step; the loader picks one once.
#if defined(__x86_64__) && defined(__ELF__)
#define WIDE_PIXEL_LOOPS __attribute__((target_clones("arch=x86-64-v3", "default")))
#else
#define WIDE_PIXEL_LOOPS
#endif

// The columns of the row inside the disc; false if it misses the disc.
bool RowSpan(const FrameSetup& s, int row, RowPixels& p) {
  const float dy = kCentre - row, reach = s.Radius + 0.5f;
  if (std::fabs(dy) >= reach) return false;
  const float halfChord = std::sqrt(reach * reach - dy * dy);
  p.First = std::max(0, static_cast<int>(std::floor(kCentre - halfChord)));
  const int last = std::min(kDrawnFrameSize - 1, static_cast<int>(std::ceil(kCentre + halfChord)));
  p.Count = last - p.First + 1;
  return true;
}

// The globe under each pixel: its body vector, the Sun's cosine and where the maps are read.
// The setup and the maps' sizes come by value: the compiler then knows that the
// pixels' stores leave them alone, and runs the loop on vector registers.
WIDE_PIXEL_LOOPS void Locate(const FrameSetup s, const MoonMaps& maps, int row, RowPixels& p) {
  constexpr float kPi = std::numbers::pi_v<float>;
  const float dy = kCentre - row, y = dy / s.Radius;
  const float reach = s.Radius + 0.5f, inner = s.Radius - 0.5f;
  const int albedoWidth = maps.Albedo.Width, albedoHeight = maps.Albedo.Height;
  const int slopeWidth = maps.Slopes.Width, slopeHeight = maps.Slopes.Height;
  const float albedoU = albedoWidth / (2 * kPi), albedoV = albedoHeight / kPi;
  const float slopeU = slopeWidth / (2 * kPi), slopeV = slopeHeight / kPi;
  const auto& m = s.ScreenToBody;
  for (int i = 0; i < p.Count; ++i) {
    const float dx = p.First + i - kCentre;
    const float d2 = dx * dx + dy * dy, dist = std::sqrt(d2);
    // The limb: partly covered pixels take the limb's own colour.
    p.Coverage[i] = d2 > inner * inner ? std::min(reach - dist, 1.0f) : 1.0f;
    const float shrink = dist > s.Radius ? s.Radius / std::max(dist, 1.0f) : 1.0f;
    const float x = dx / s.Radius * shrink, yy = y * shrink;
    const float z = std::sqrt(std::max(0.0f, 1 - x * x - yy * yy));
    const float vx = m[0].X * x + m[0].Y * yy + m[0].Z * z;
    const float vy = m[1].X * x + m[1].Y * yy + m[1].Z * z;
    const float vz = m[2].X * x + m[2].Y * yy + m[2].Z * z;
    const float cosLat = std::sqrt(vx * vx + vy * vy);
    const float mu0 = s.Sun.X * vx + s.Sun.Y * vy + s.Sun.Z * vz;
    p.Z[i] = z, p.Vx[i] = vx, p.Vy[i] = vy, p.Vz[i] = vz, p.CosLat[i] = cosLat, p.Mu0[i] = mu0;
    p.Relief[i] = ReliefWeight(s, z, mu0);
    const float lonFromWest = FastAtan2(vy, vx) + kPi;
    const float latFromNorth = kPi / 2 - FastAtan2(vz, cosLat);
    p.Albedo.Aim(albedoWidth, albedoHeight, i, lonFromWest * albedoU, latFromNorth * albedoV);
    p.Slopes.Aim(slopeWidth, slopeHeight, i, lonFromWest * slopeU, latFromNorth * slopeV);
  }
}

// The slopes under the pixels near the terminator, scaled by the relief's weight.
void ReadSlopes(const MoonMaps& maps, RowPixels& p) {
  for (int i = 0; i < p.Count; ++i) {
    const int ahead = i + kPrefetchAhead;
    if (ahead < p.Count && p.Relief[ahead] > 0) p.Slopes.Prefetch(maps.Slopes, ahead);
    Vec2f slope{0, 0};
    if (p.Relief[i] > 0) slope = p.Relief[i] * p.Slopes.Bilinear(maps.Slopes, i);
    p.SlopeEast[i] = slope[0], p.SlopeNorth[i] = slope[1];
  }
}

// The sunlight on each pixel's ground, tilted by the relief where it shows.
WIDE_PIXEL_LOOPS void Light(const FrameSetup s, RowPixels& p) {
  for (int i = 0; i < p.Count; ++i) {
    const float flat = FlatSunlight(p.Mu0[i]);
    const float tilted = TiltedSunlight(s, {p.Vx[i], p.Vy[i], p.Vz[i]}, p.Z[i], p.CosLat[i], p.Mu0[i],
                                        p.SlopeEast[i], p.SlopeNorth[i]);
    p.Sun[i] = (p.Relief[i] > 0 ? tilted : flat) * (flat / (flat + kGrazingMu0));
  }
}

// The reflectance of each channel from the map's square roots of it.
inline Vec4f Reflectance(const Vec4f& root) {
  const Vec4f r = root * (1.0f / 255);
  return r * r;
}

// The pixel values of light (per channel), white from 1 on.
inline Vec4f Encoded(const std::array<std::uint8_t, kEncodeSteps>& table, const Vec4f& light) {
  constexpr Vec4f kWhite{1, 1, 1, 1};
  const Vec4f at = (light < kWhite ? light : kWhite) * (kEncodeSteps - 1) + 0.5f;
  return Vec4f{float(table[int(at[0])]), float(table[int(at[1])]), float(table[int(at[2])]), 0};
}

// The pixels' colours: the mosaic's in the light of the Sun and the Earth, dimmed on
// the limb's partly covered pixels.
void Paint(const MoonMaps& maps, const RowPixels& p, unsigned char* line) {
  const auto& encoding = EncodingTable();
  for (int i = 0; i < p.Count; ++i) {
    if (i + kPrefetchAhead < p.Count) p.Albedo.Prefetch(maps.Albedo, i + kPrefetchAhead);
    if (p.Coverage[i] <= 0) continue;
    const Vec4f light = p.Sun[i] * kSunlight + (std::max(-p.Mu0[i], 0.0f) + kEarthlightFloor) * kEarthlight;
    const Vec4f albedo = Reflectance(p.Albedo.Bilinear(maps.Albedo, i));
    const Vec4f pixel = Encoded(encoding, albedo * light) * p.Coverage[i] + 0.5f;
    const Ints bytes = __builtin_convertvector(pixel, Ints);
    unsigned char* out = line + 3 * (p.First + i);
    for (int c = 0; c < 3; ++c) out[c] = static_cast<unsigned char>(bytes[c]);
  }
}

}  // namespace

void DrawRow(const FrameSetup& s, const MoonMaps& maps, int row, unsigned char* line) {
  RowPixels pixels;
  if (!RowSpan(s, row, pixels)) return;
  Locate(s, maps, row, pixels);
  ReadSlopes(maps, pixels);
  Light(s, pixels);
  Paint(maps, pixels, line);
}
