// Checks that a decoded picture is MakeTiffRgb8's pattern, pixel by pixel.
#pragma once

#include <gtest/gtest.h>

#include <QImage>

#include "support/test_images.h"

inline void ExpectTiffPattern(const QImage& image, int width, int height) {
  ASSERT_EQ(image.format(), QImage::Format_BGR888);
  ASSERT_EQ(image.size(), QSize(width, height));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const auto rgb = TiffPatternPixel(x, y);
      const unsigned char* p = image.constScanLine(y) + 3 * x;  // B, G, R in memory
      ASSERT_TRUE(p[0] == rgb[2] && p[1] == rgb[1] && p[2] == rgb[0]) << x << "," << y;
    }
}
