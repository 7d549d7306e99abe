#include "render/eclipse_shadow.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "render/drawn_moon.h"

namespace {

using Rgb = std::array<double, 3>;  // factors on a pixel's red, green and blue

// The umbra's colour as factors on the sunlit pixel: the light the Earth's atmosphere
// bends into it is reddened, and less of it reaches the centre. Chosen so that
// totality reads as copper, not black, as the eye sees it.
constexpr Rgb kUmbraEdge = {0.50, 0.20, 0.08};
constexpr Rgb kUmbraCentre = {0.12, 0.04, 0.015};
// The darkest the penumbra gets (at the umbra's edge), as a factor on every channel.
constexpr double kPenumbraInner = 0.42;
constexpr double kDisplayGamma = 2.2;

// The fraction of the Sun's disc seen past the Earth's limb from a point of the
// penumbra, x running from -1 at the umbra's edge to 1 at the penumbra's: the Earth's
// limb taken as straight across the far smaller Sun.
double SunlitFraction(double x) {
  x = std::clamp(x, -1.0, 1.0);
  return (std::acos(-x) + x * std::sqrt(1 - x * x)) / std::numbers::pi;
}

// The factors at distance r from the shadow's centre, in the units of the radii.
Rgb ShadowFactors(double r, double umbra, double penumbra, double edgeWidth) {
  const double x = 2 * (r - umbra) / (penumbra - umbra) - 1;
  // The sunlight fraction is linear light; the pixels are gamma-encoded.
  const double lit = kPenumbraInner + (1 - kPenumbraInner) * std::pow(SunlitFraction(x), 1 / kDisplayGamma);
  const double depth = std::pow(std::clamp(r / umbra, 0.0, 1.0), 1.5);
  // The umbra's edge is soft over edgeWidth, as the atmosphere makes it, and never jagged.
  const double t = std::clamp((r - umbra) / edgeWidth + 0.5, 0.0, 1.0);
  const double inUmbra = 1 - t * t * (3 - 2 * t);
  Rgb f;
  for (int c = 0; c < 3; ++c) {
    const double copper = kUmbraCentre[c] + (kUmbraEdge[c] - kUmbraCentre[c]) * depth;
    f[c] = inUmbra * copper + (1 - inUmbra) * lit;
  }
  return f;
}

}  // namespace

void ApplyEarthShadow(QImage& frame, double discDiameterPx, const EarthShadow& shadow) {
  if (frame.format() != QImage::Format_BGR888 || frame.width() != kDrawnFrameSize ||
      frame.height() != kDrawnFrameSize || !(discDiameterPx > 0) || !(shadow.MoonRadiusDeg > 0))
    return;
  // Everything in pixels: the shadow's centre relative to the disc's, east to the left.
  const double pxPerDeg = discDiameterPx / 2 / shadow.MoonRadiusDeg;
  const double cx = kDrawnFrameCentre - shadow.CentreEastDeg * pxPerDeg;
  const double cy = kDrawnFrameCentre - shadow.CentreNorthDeg * pxPerDeg;
  const double umbra = shadow.UmbraRadiusDeg * pxPerDeg, penumbra = shadow.PenumbraRadiusDeg * pxPerDeg;
  const double discRadius = discDiameterPx / 2;
  if (std::hypot(cx - kDrawnFrameCentre, cy - kDrawnFrameCentre) >= penumbra + discRadius) return;
  const double edgeWidth = std::max(1.5, 0.02 * umbra);
  const int first = std::max(0, int(std::floor(kDrawnFrameCentre - discRadius)));
  const int last = std::min(kDrawnFrameSize - 1, int(std::ceil(kDrawnFrameCentre + discRadius)));
  for (int y = first; y <= last; ++y) {
    uchar* row = frame.scanLine(y);
    for (int x = first; x <= last; ++x) {
      const double r = std::hypot(x - cx, y - cy);
      if (r >= penumbra || std::hypot(x - kDrawnFrameCentre, y - kDrawnFrameCentre) > discRadius + 1) continue;
      const Rgb f = ShadowFactors(r, umbra, penumbra, edgeWidth);
      uchar* bgr = row + 3 * x;
      for (int c = 0; c < 3; ++c) bgr[2 - c] = static_cast<uchar>(std::lround(bgr[2 - c] * f[c]));
    }
  }
}

QImage DrawEclipsedMoonFrame(const MoonHourValues& values, long double utcDay, QThreadPool* rowPool) {
  QImage frame = DrawMoonFrame(values, rowPool);
  if (Drawable(values))
    ApplyEarthShadow(frame, DrawnDiscDiameter(values.Diam), EarthShadowAt(static_cast<double>(utcDay)));
  return frame;
}
