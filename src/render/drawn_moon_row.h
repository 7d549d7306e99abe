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
  float Weight;    // lunar-Lambert L
  float Exposure;  // brightest sunlit ground of any phase about as bright as the full Moon, as in NASA's frames
  float Relief;    // exaggeration of the slopes at this phase
  float Earthshine;  // the earthshine's strength at this phase: 1 at new Moon, 0 from the quarters on
};

// The lunar-Lambert reflectance for weight L, the cosines of the Sun's and the
// viewer's angles from the ground's normal.
inline float LunarLambert(float weight, float mu0, float mu) {
  return 2 * weight * mu0 / (mu0 + mu) + (1 - weight) * mu0;
}

// Draws row (0 at the top) of the frame into line, 3 bytes a pixel (blue, green,
// red), leaving the sky untouched.
void DrawRow(const FrameSetup& setup, const MoonMaps& maps, int row, unsigned char* line);
