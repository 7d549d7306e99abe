#include "render/moon_maps.h"

#include <QFile>
#include <algorithm>
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

// Centred differences of the elevation, east-west across the longitude seam and
// clamped at the poles, where the ground distance of a pixel shrinks with cos(lat).
void FillSlopes(const QImage& elevation, MoonMaps& maps) {
  const int w = elevation.width(), h = elevation.height();
  std::vector<float> km(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) km[static_cast<size_t>(y) * w + x] = elevation.constScanLine(y)[3 * x + 1] * kKmPerLevel;
  const double pixelKm = 2 * std::numbers::pi * kMoonRadiusKm / w;
  maps.ReliefWidth = w;
  maps.ReliefHeight = h;
  maps.SlopeEast.assign(km.size(), 0);
  maps.SlopeNorth.assign(km.size(), 0);
  for (int y = 0; y < h; ++y) {
    const double lat = (0.5 - (y + 0.5) / h) * std::numbers::pi;
    const double eastKm = 2 * pixelKm * std::max(std::cos(lat), 0.05);
    const float* north = &km[static_cast<size_t>(std::max(y - 1, 0)) * w];
    const float* south = &km[static_cast<size_t>(std::min(y + 1, h - 1)) * w];
    const float* row = &km[static_cast<size_t>(y) * w];
    for (int x = 0; x < w; ++x) {
      const size_t i = static_cast<size_t>(y) * w + x;
      maps.SlopeEast[i] = static_cast<float>((row[(x + 1) % w] - row[(x + w - 1) % w]) / eastKm);
      maps.SlopeNorth[i] = static_cast<float>((north[x] - south[x]) / (2 * pixelKm));
    }
  }
}

MoonMaps DecodeMaps() {
  MoonMaps maps;
  maps.Albedo = DecodedResource(":/moon/albedo.jpg");
  if (maps.Albedo.isNull()) {
    maps.Albedo = QImage(1, 1, QImage::Format_BGR888);
    maps.Albedo.fill(QColor(128, 128, 128));
  }
  const QImage elevation = DecodedResource(":/moon/elevation.jpg");
  if (!elevation.isNull()) FillSlopes(elevation, maps);
  return maps;
}

}  // namespace

const MoonMaps& LoadedMoonMaps() {
  static const MoonMaps maps = DecodeMaps();
  return maps;
}
