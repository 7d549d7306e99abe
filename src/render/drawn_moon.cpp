// The frame's setup from the hour's values, in double precision: the globe's
// orientation and, from the phase angle, how much relief shows. The pixels are drawn
// by DrawRow, rows shared over the cores by a pool of threads kept from frame to frame.
#include "render/drawn_moon.h"

#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "render/drawn_moon_row.h"
#include "render/moon_maps.h"

namespace {

constexpr double kDeg = std::numbers::pi / 180;
// The slopes as LOLA's map gives them: exaggerated, they would rag the terminator
// more than NASA's frames show it.
constexpr double kReliefExaggeration = 1.0;
constexpr double kReliefFullPhaseAngle = 20;  // degrees

Vec3f ToFloat(const GlobeVector& v) { return {float(v.X), float(v.Y), float(v.Z)}; }

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
  s.Relief = static_cast<float>(kReliefExaggeration * std::min(1.0, alpha / kReliefFullPhaseAngle));
  return s;
}

// Runs rowJob(row) for every row, the rows interleaved over the calling thread and
// the threads of rowPool (none when null).
template <typename RowJob>
void ForEachRow(int rows, QThreadPool* rowPool, const RowJob& rowJob) {
  const int workers = rowPool ? std::clamp(rowPool->maxThreadCount() + 1, 1, 16) : 1;
  std::vector<QFuture<void>> shares;
  for (int w = 1; w < workers; ++w)
    shares.push_back(QtConcurrent::run(rowPool, [&, w] {
      for (int row = w; row < rows; row += workers) rowJob(row);
    }));
  for (int row = 0; row < rows; row += workers) rowJob(row);
  for (QFuture<void>& share : shares) share.waitForFinished();
}

}  // namespace

MoonGlobe GlobeOf(const MoonHourValues& v) {
  return MoonGlobe(double(v.Elon), double(v.Elat), double(v.AxisA), double(v.Slon), double(v.Slat));
}

bool Drawable(const MoonHourValues& v) {
  for (const long double angle : {v.Slon, v.Slat, v.Elon, v.Elat, v.AxisA})
    if (!std::isfinite(angle)) return false;
  return v.Diam > 0 && v.Diam <= kLargestDiam;
}

QImage DrawMoonFrame(const MoonHourValues& values, QThreadPool* rowPool) {
  QImage frame(kDrawnFrameSize, kDrawnFrameSize, QImage::Format_BGR888);
  frame.fill(Qt::black);
  if (!Drawable(values)) return frame;
  const FrameSetup setup = SetUp(values);
  const MoonMaps& maps = LoadedMoonMaps();
  uchar* const pixels = frame.bits();  // one detach here; the threads write disjoint rows
  const qsizetype stride = frame.bytesPerLine();
  ForEachRow(kDrawnFrameSize, rowPool, [&](int row) { DrawRow(setup, maps, row, pixels + row * stride); });
  return frame;
}
