// The views of the right picture ("Show:") and everything that differs between
// them, in one table: the caption, NASA's renditions, the file kind and where the
// frame lands in the 730-pixel picture.
#pragma once

#include <QPoint>
#include <QSize>
#include <array>

// The stored "GlobTypeIndex" is the view's number, so the numbers never change.
enum class ViewKind : int { Moon = 0, ChartH = 1, Orbit = 2, Globe = 3, ChartV = 4, Drawn = 5, FromHere = 6 };

inline constexpr int kViewKindCount = 7;

struct ViewDescription {
  ViewKind Kind;
  const char* Caption;     // in the "Show:" list
  int ScreenKey;           // NASA's rendition drawn on screen (its pixel width)
  const char* FileKind;    // file kind of the screen rendition, for its file name
  QSize FrameSize;         // pixels of the screen rendition
  long double Scale;       // the factor that brings it into the 730-pixel picture
  QPoint At;               // where the scaled frame's top-left corner lands
  int ExportKey;           // the full-quality rendition the menu commands work on
};

inline constexpr std::array<ViewDescription, kViewKindCount> kViews = {{
    {ViewKind::Moon, "Moon", 730, "jpg", QSize(730, 730), 1.0L, QPoint(0, 0), 5760},
    {ViewKind::ChartH, "Chart H", 1920, "Tif1", QSize(1920, 1080), 0.3802L, QPoint(0, 160), 1920},
    {ViewKind::Orbit, "Orbit", 850, "Tif2", QSize(850, 850), 0.8588L, QPoint(0, 0), 850},
    {ViewKind::Globe, "Globe", 960, "Tif3", QSize(960, 960), 0.7604L, QPoint(0, 0), 960},
    {ViewKind::ChartV, "Chart V", 1080, "Tif1", QSize(1080, 1920), 0.3802L, QPoint(160, 0), 1080},
    // The Moon drawn by the program from the hour's values, never fetched.
    {ViewKind::Drawn, "Moon (drawn)", 730, "jpg", QSize(730, 730), 1.0L, QPoint(0, 0), 5760},
    // The drawn Moon as the observer's place sees it, the zenith up.
    {ViewKind::FromHere, "Moon from here (drawn)", 730, "jpg", QSize(730, 730), 1.0L, QPoint(0, 0), 5760},
}};

inline const ViewDescription& DescriptionOf(ViewKind kind) { return kViews[static_cast<int>(kind)]; }

// The view of a list index or stored number; anything out of range is the Moon.
inline ViewKind ViewKindOf(int index) {
  return index >= 0 && index < kViewKindCount ? static_cast<ViewKind>(index) : ViewKind::Moon;
}

inline int IndexOf(ViewKind kind) { return static_cast<int>(kind); }

// The views drawn by the program, never fetched from NASA.
inline bool IsDrawnView(ViewKind kind) { return kind == ViewKind::Drawn || kind == ViewKind::FromHere; }
// The views of the Moon itself, NASA's or drawn, as against NASA's charts, orbit and globe.
inline bool IsMoonView(ViewKind kind) { return kind == ViewKind::Moon || IsDrawnView(kind); }
