// NASA's Moon maps, compiled into the program (moon_maps.cmake) and decoded once on
// first use, from any thread: the LRO colour mosaic for the surface's albedo and the
// LOLA elevation map turned into surface slopes for the relief near the terminator.
// Both are equirectangular: longitude -180...+180 degrees left to right, latitude
// +90 at the top, pixel centres half a pixel in from the edges.
#pragma once

#include <QImage>
#include <vector>

struct MoonMaps {
  QImage Albedo;  // 24-bit (Format_BGR888); a single grey pixel if the map could not be decoded
  int ReliefWidth = 1, ReliefHeight = 1;
  // Rise of the surface per unit of ground distance toward east and toward north,
  // one pair per elevation pixel, row by row from the north.
  std::vector<float> SlopeEast = {0}, SlopeNorth = {0};
};

const MoonMaps& LoadedMoonMaps();
