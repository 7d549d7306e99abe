#include "render/stretch_bitmap.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include "astro/angles.h"
#include <vector>

#include "render/bitmap_helpers.h"

namespace {

// No plane coordinate and no side of a resized target goes beyond this many pixels
// (the largest NASA frame, 5760 pixels wide, turned by any angle stays well inside).
constexpr int kPlaneLimit = 16384;

// One step of an edge walk: a unit move in the target and the source index
// (relative to P0) that the reached pixel takes.
struct EdgeEntry {
  std::int8_t StepX;
  std::int8_t StepY;
  int Index;
};

using EdgeTable = std::vector<EdgeEntry>;

int Sign(int v) { return v < 0 ? -1 : 1; }

// The steps of a Bresenham walk from T0 to Tk, with the source indices 0 ... S
// spread evenly over them by a second error term.
EdgeTable BuildEdgeTable(QPoint t0, QPoint tk, int S) {
  const int dx = tk.x() - t0.x(), dy = tk.y() - t0.y();
  const int a = std::abs(dx) + 1, b = std::abs(dy) + 1;
  const bool xMajor = a >= b;
  const int n = std::max(a, b), m = std::min(a, b);
  const int majorSign = xMajor ? Sign(dx) : Sign(dy);
  const int minorSign = xMajor ? Sign(dy) : Sign(dx);

  EdgeTable table(static_cast<std::size_t>(n));
  int error = m / 2;
  for (int e = 1; e < n; ++e) {
    int minor = 0;
    error += m;
    if (error >= n) {
      minor = minorSign;
      error -= n;
    }
    table[e].StepX = static_cast<std::int8_t>(xMajor ? majorSign : minor);
    table[e].StepY = static_cast<std::int8_t>(xMajor ? minor : majorSign);
  }
  table[0].StepX = table[0].StepY = 0;

  // A one-pixel edge takes the first source pixel (there is no span to spread).
  const int w = n - 1;
  if (w == 0) {
    table[0].Index = 0;
    return table;
  }
  int q, r, term, limit;
  if (w < S) {
    q = S / w, r = S % w, term = w / 2, limit = w;
  } else {
    q = 0, r = S + 1, term = (S + 1) / 2, limit = n;
  }
  int index = 0;
  for (EdgeEntry& entry : table) {
    entry.Index = index;
    term += r;
    index += q;
    if (term >= limit) {
      ++index;
      term -= limit;
    }
  }
  return table;
}

struct Rows {
  std::vector<const uchar*> Source;
  std::vector<uchar*> Target;
};

inline void CopyPixel(uchar* to, const uchar* from) {
  to[0] = from[0];
  to[1] = from[1];
  to[2] = from[2];
}

// A diagonal row step leaves every other pixel between the two rows uncovered;
// each of them takes the source pixel between the neighbours' sources.
void FillHoles(const EdgeTable& columns, QPoint previousRow, QPoint row, const uchar* sourceRow, int x0,
               uchar* const* targetRows, int width, int height) {
  int x2 = previousRow.x() + row.x(), y2 = previousRow.y() + row.y();
  int previousColumn = 0;
  for (const EdgeEntry& column : columns) {
    x2 += 2 * column.StepX;
    y2 += 2 * column.StepY;
    if (column.StepX != 0 && column.StepY != 0) {
      const int x = (x2 - column.StepX) / 2, y = (y2 - column.StepY) / 2;
      if (static_cast<unsigned>(x) < static_cast<unsigned>(width) &&
          static_cast<unsigned>(y) < static_cast<unsigned>(height))
        CopyPixel(targetRows[y] + 3 * x, sourceRow + 3 * (x0 + (column.Index + previousColumn) / 2));
    }
    previousColumn = column.Index;
  }
}

void Walk(const EdgeTable& columns, const EdgeTable& rowTable, QPoint t0, QPoint p0, const Rows& rows,
          int width, int height) {
  QPoint position = t0;
  int previousIndex = 0;
  for (const EdgeEntry& rowEntry : rowTable) {
    const QPoint previous = position;
    position += QPoint(rowEntry.StepX, rowEntry.StepY);
    if (rowEntry.StepX != 0 && rowEntry.StepY != 0)
      FillHoles(columns, previous, position, rows.Source[p0.y() + (rowEntry.Index + previousIndex) / 2], p0.x(),
                rows.Target.data(), width, height);
    const uchar* sourceRow = rows.Source[p0.y() + rowEntry.Index] + 3 * p0.x();
    int x = position.x(), y = position.y();
    for (const EdgeEntry& column : columns) {
      x += column.StepX;
      y += column.StepY;
      if (static_cast<unsigned>(x) < static_cast<unsigned>(width) &&
          static_cast<unsigned>(y) < static_cast<unsigned>(height))
        CopyPixel(rows.Target[y] + 3 * x, sourceRow + 3 * column.Index);
    }
    previousIndex = rowEntry.Index;
  }
}

Rows RowPointers(const QImage& source, QImage& target) {
  Rows rows;
  rows.Source.resize(static_cast<std::size_t>(source.height()));
  for (int y = 0; y < source.height(); ++y) rows.Source[y] = source.constScanLine(y);
  rows.Target.resize(static_cast<std::size_t>(target.height()));
  for (int y = 0; y < target.height(); ++y) rows.Target[y] = target.scanLine(y);
  return rows;
}

bool InsideBitmap(QPoint p, const QImage& bitmap) {
  return p.x() >= 0 && p.x() < bitmap.width() && p.y() >= 0 && p.y() < bitmap.height();
}

bool WithinPlaneLimit(QPoint p) { return std::abs(p.x()) <= kPlaneLimit && std::abs(p.y()) <= kPlaneLimit; }

}  // namespace

int PlaneCoordinate(long double v) {
  if (!std::isfinite(v) || std::fabs(v) > kPlaneLimit + 1) return kPlaneLimit + 1;
  return static_cast<int>(v);
}

bool TStretchBitmap::Fail(const char* message) {
  Reporter.Report(QString::fromLatin1(message));
  return false;
}

bool TStretchBitmap::CheckBitmaps() {
  if (Source == nullptr) return Fail("No source bitmap.");
  if (Target == nullptr) return Fail("No target bitmap.");
  if (static_cast<const QImage*>(Target) == Source) return Fail("Source and Target bitmaps cannot be the same.");
  if (Source->format() != kBitmapFormat || Target->format() != kBitmapFormat)
    return Fail("Both bitmaps must be 24bit.");
  return true;
}

bool TStretchBitmap::CheckSourcePlane() {
  const PlanePoints& p = SourcePlane;
  if (p.P1.y() != p.P0.y() || p.P2.x() != p.P0.x()) return Fail("Othogonal plane not properly set.");
  if (!InsideBitmap(p.P0, *Source) || !InsideBitmap(p.P1, *Source) || !InsideBitmap(p.P2, *Source))
    return Fail("Source plane out of bitmap bounds.");
  return true;
}

// Moves the parallelogram against the top and left edges and sizes the target to
// its bounding box (when ResizeTarget), then fills it with the background colour.
bool TStretchBitmap::PrepareTarget() {
  PlanePoints& t = TargetPlane;
  if (!WithinPlaneLimit(t.P0) || !WithinPlaneLimit(t.P1) || !WithinPlaneLimit(t.P2))
    return Fail("Target plane out of range.");
  if (ResizeTarget) {
    const QPoint t3 = t.P1 + t.P2 - t.P0;
    const int minX = std::min({t.P0.x(), t.P1.x(), t.P2.x(), t3.x()});
    const int minY = std::min({t.P0.y(), t.P1.y(), t.P2.y(), t3.y()});
    const int maxX = std::max({t.P0.x(), t.P1.x(), t.P2.x(), t3.x()});
    const int maxY = std::max({t.P0.y(), t.P1.y(), t.P2.y(), t3.y()});
    const int width = maxX - minX + 1, height = maxY - minY + 1;
    if (width > kPlaneLimit || height > kPlaneLimit) return Fail("Target plane out of range.");
    QImage resized(width, height, kBitmapFormat);
    if (resized.isNull()) return Fail("Target plane out of range.");
    const QPoint shift(minX, minY);
    t.P0 -= shift;
    t.P1 -= shift;
    t.P2 -= shift;
    *Target = std::move(resized);
  }
  Target->fill(ToQColor(BackgroundColor));
  return true;
}

bool TStretchBitmap::MapPlanes() {
  if (!CheckBitmaps() || !CheckSourcePlane() || !PrepareTarget()) return false;
  const PlanePoints& s = SourcePlane;
  const PlanePoints& t = TargetPlane;
  const EdgeTable columns = BuildEdgeTable(t.P0, t.P1, s.P1.x() - s.P0.x());
  const EdgeTable rowTable = BuildEdgeTable(t.P0, t.P2, s.P2.y() - s.P0.y());
  const Rows rows = RowPointers(*Source, *Target);
  Walk(columns, rowTable, t.P0, s.P0, rows, Target->width(), Target->height());
  return true;
}

bool TStretchBitmap::RotatePlane(float Angle) {
  const double theta = -static_cast<double>(Angle) * static_cast<double>(kRadiansPerDegree);
  const int w1 = Source != nullptr ? Source->width() - 1 : 0;
  const int h1 = Source != nullptr ? Source->height() - 1 : 0;
  // Rounds half away from zero, the same way on both sides of zero, so that a
  // counter-clockwise turn is the mirror of the clockwise one (adding 0.5 and
  // truncating would shrink negative edges by a pixel: a 90-degree turn of a
  // 730 x 730 picture would come out 729 x 729).
  const auto t = [](double v) { return PlaneCoordinate(v < 0 ? -std::trunc(0.5 - v) : std::trunc(v + 0.5)); };
  SourcePlane = {QPoint(0, 0), QPoint(w1, 0), QPoint(0, h1)};
  TargetPlane = {QPoint(0, 0), QPoint(t(w1 * std::cos(theta)), t(w1 * std::sin(theta))),
                 QPoint(-t(h1 * std::sin(theta)), t(h1 * std::cos(theta)))};
  return MapPlanes();
}
