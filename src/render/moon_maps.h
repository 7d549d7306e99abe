// NASA's Moon maps, compiled into the program (moon_maps.cmake) and decoded once on
// first use, from any thread: the LRO colour mosaic for the surface's albedo and the
// LOLA elevation map turned into surface slopes for the relief near the terminator.
// Both are equirectangular: longitude -180...+180 degrees left to right, latitude
// +90 at the top, pixel centres half a pixel in from the edges.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// A map with a border of one cell all round (the longitude wraps, the poles repeat),
// so that a bilinear sample anywhere on the globe reads inside it without checks.
template <typename Cell>
struct PaddedMap {
  int Width = 1, Height = 1;  // without the border
  std::vector<Cell> Cells = std::vector<Cell>(9);

  // The cell at column x, row y, each from -1 to Width or Height.
  const Cell& At(int x, int y) const { return Cells[static_cast<std::size_t>(y + 1) * (Width + 2) + (x + 1)]; }
};

// NASA's frames show the mosaic's encoded value to this power as the ground's reflectance.
inline constexpr double kAlbedoPower = 1.64;

// Blue, green, red and a zero: four bytes load as one.
using AlbedoCell = std::array<std::uint8_t, 4>;

struct MoonMaps {
  // The square root of the reflectance, 255 for 1; a single grey cell if the map
  // could not be decoded.
  PaddedMap<AlbedoCell> Albedo;
  // Rise of the surface per unit of ground distance toward east and toward north.
  PaddedMap<std::array<float, 2>> Slopes;
};

const MoonMaps& LoadedMoonMaps();
