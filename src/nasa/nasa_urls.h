// NASA SVS's paths for the Moon Phase and Libration series of 2024 and 2025, one set
// for observers in the northern hemisphere and one for the southern (whose frames
// show the Moon south up). Paths are relative to the server; the two-entry arrays
// are indexed by year - 2024 through NasaYearIndex, the only way in.
#pragma once

#include <array>

#include "core/view_kind.h"

inline constexpr int kFirstNasaYear = 2024;
inline constexpr int kNasaYearCount = 2;

struct NasaUrlSet {
  std::array<const char*, kNasaYearCount> YearFolder;   // ends in "/"
  std::array<const char*, kNasaYearCount> SvsPage;      // the year's web page
  std::array<const char*, kViewKindCount> MovieUrls;    // by ViewKind, in the 2025 year folder
};

extern const NasaUrlSet NasaUrlNorth;
extern const NasaUrlSet NasaUrlSouth;

// Sub-folders of a year folder holding the frames of one rendition (no trailing "/").
struct RenditionFolder {
  int Key;
  std::array<const char*, kNasaYearCount> Folder;
};
extern const std::array<RenditionFolder, 6> kRenditionFolders;  // the 730 folder first

// NasaUrlNorth for Latitude >= 0 (the equator included), NasaUrlSouth below.
const NasaUrlSet& NasaUrlSetFor(long double Latitude);
// Index of the year of CurrentDateTime into the year arrays, clamped to 0 ... 1:
// years before 2024 read 2024's entries, years after 2025 read 2025's.
int NasaYearIndex(long double CurrentDateTime);
