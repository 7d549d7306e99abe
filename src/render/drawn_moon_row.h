// One row of the drawn Moon's pixels: where each pixel falls on the globe, the
// sunlight on its ground (relief near the terminator) and its colour from the maps.
#pragma once

#include <array>

#include "render/moon_maps.h"

struct Vec3f {
  float X, Y, Z;
};

// Everything one frame's pixels share.
struct FrameSetup {
  float Radius;                       // pixels
  std::array<Vec3f, 3> ScreenToBody;  // rows of the matrix
  Vec3f Sun, Viewer;
  float Relief;  // exaggeration of the slopes at this phase
};

// Draws row (0 at the top) of the frame into line, 3 bytes a pixel (blue, green,
// red), leaving the sky untouched.
void DrawRow(const FrameSetup& setup, const MoonMaps& maps, int row, unsigned char* line);
