// The registry of NASA SVS's "Moon Phase and Libration" series: for each published
// year its folders and web pages, one set for observers in the northern hemisphere
// and one for the southern (whose frames show the Moon south up). Paths are relative
// to the server. A new year is one entry here and its table (nasa_tables.cmake).
#pragma once

#include <array>
#include <span>

#include "core/view_kind.h"

struct NasaSeries {
  int Year;
  const char* NorthFolder;  // ends in "/"
  const char* SouthFolder;  // nullptr: not published (or not verified); see SouthFromNorth
  const char* NorthPage;    // the year's web page
  const char* SouthPage;
  int Layout;               // index into RenditionFolder::Folder: how the year names its folders
};

std::span<const NasaSeries> NasaSeriesList();

// The series of the year of CurrentDateTime; the nearest year's when NASA has none
// for it (callers that care ask HasNasaSeries first).
const NasaSeries& NasaSeriesFor(long double CurrentDateTime);
bool HasNasaSeries(long double CurrentDateTime);

// True when the hemisphere of Latitude has no folder of its own that year, so the
// northern frames are used and the Moon view's frame is turned 180 degrees, which is
// how NASA makes its south-up frames.
bool SouthFromNorth(long double CurrentDateTime, long double Latitude);

// The folder and page of the hemisphere of Latitude (>= 0 north, the equator included).
const char* YearFolderOf(const NasaSeries& series, long double Latitude);
const char* SvsPageOf(const NasaSeries& series, long double Latitude);

// NASA's movies of each view, in the 2025 folder: they serve every year.
struct NasaMovies {
  const char* Folder;
  std::array<const char*, kViewKindCount> Files;  // by view; the drawn Moons have the Moon's
};
const NasaMovies& MoviesFor(long double Latitude);

// Sub-folders of a year folder holding the frames of one rendition (no trailing "/"),
// by the year's Layout.
struct RenditionFolder {
  int Key;
  std::array<const char*, 2> Folder;
};
extern const std::array<RenditionFolder, 6> kRenditionFolders;  // the 730 folder first
