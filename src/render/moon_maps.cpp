#include "render/moon_maps.h"

#include <QFile>
#include <QImage>
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "nasa/image_decode.h"

namespace {

constexpr double kMoonRadiusKm = 1737.4;
// The 8-bit LOLA map spreads the Moon's heights (about -9.1 to +10.8 km) over 255 levels.
constexpr double kKmPerLevel = 19.9 / 255;

QImage DecodedResource(const char* name) {
  QFile file(name);
  QImage image;
  if (!file.open(QIODevice::ReadOnly) || !DecodeJpeg(file.readAll(), image)) return {};
  return image;
}

// A padded map of w x h cells from cell(x, y) of the map proper.
template <typename Cell, typename CellOf>
PaddedMap<Cell> Padded(int w, int h, CellOf cell) {
  PaddedMap<Cell> map;
  map.Width = w;
  map.Height = h;
  map.Cells.resize(static_cast<size_t>(w + 2) * (h + 2));
  for (int y = -1; y <= h; ++y)
    for (int x = -1; x <= w; ++x)
      map.Cells[static_cast<size_t>(y + 1) * (w + 2) + (x + 1)] = cell((x + w) % w, std::clamp(y, 0, h - 1));
  return map;
}

// The mosaic at half its size, made at build time (tools/gen_moon_albedo.cpp), each
// cell the mean of four: the largest disc (about 700 pixels) still gets 1.4 cells a
// pixel, the smaller map spares the memory traffic that bounds the drawing, and the
// mean keeps fine detail from aliasing. A cell holds the square root of the
// reflectance, which keeps the dark maria's detail in a byte and leaves the drawing
// one multiplication.
PaddedMap<AlbedoCell> AlbedoMap(const QImage& image) {
  std::array<std::uint8_t, 256> root{};  // by the encoded value
  for (std::size_t v = 0; v < root.size(); ++v)
    root[v] = static_cast<std::uint8_t>(std::lround(255 * std::pow(v / 255.0, kAlbedoPower / 2)));
  return Padded<AlbedoCell>(image.width(), image.height(), [&](int x, int y) {
    const uchar* p = image.constScanLine(y) + 3 * x;
    return AlbedoCell{root[p[0]], root[p[1]], root[p[2]], 0};
  });
}

// Centred differences of the elevation; the ground distance of a pixel toward
// east shrinks with cos(latitude), held off zero at the poles.
PaddedMap<std::array<float, 2>> SlopeMap(const QImage& elevation) {
  const int w = elevation.width(), h = elevation.height();
  const double pixelKm = 2 * std::numbers::pi * kMoonRadiusKm / w;
  const auto km = [&](int x, int y) {
    return elevation.constScanLine(std::clamp(y, 0, h - 1))[3 * ((x + w) % w) + 1] * kKmPerLevel;
  };
  return Padded<std::array<float, 2>>(w, h, [&](int x, int y) {
    const double lat = (0.5 - (y + 0.5) / h) * std::numbers::pi;
    const double eastKm = 2 * pixelKm * std::max(std::cos(lat), 0.05);
    return std::array<float, 2>{static_cast<float>((km(x + 1, y) - km(x - 1, y)) / eastKm),
                                static_cast<float>((km(x, y - 1) - km(x, y + 1)) / (2 * pixelKm))};
  });
}

MoonMaps DecodeMaps() {
  MoonMaps maps;
  maps.Albedo.Cells.assign(9, {128, 128, 128, 0});
  const QImage albedo = DecodedResource(":/moon/albedo.jpg");
  if (!albedo.isNull()) maps.Albedo = AlbedoMap(albedo);
  const QImage elevation = DecodedResource(":/moon/elevation.jpg");
  if (!elevation.isNull()) maps.Slopes = SlopeMap(elevation);
  return maps;
}

}  // namespace

const MoonMaps& LoadedMoonMaps() {
  static const MoonMaps maps = DecodeMaps();
  return maps;
}
