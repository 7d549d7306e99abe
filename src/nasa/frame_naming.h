// Names and places of NASA's Moon frames, movies, yearly data files and web pages.
//
// NASA's Scientific Visualization Studio publishes one frame per UTC hour of the year
// in several renditions, named by a rendition key (the frame's pixel size):
//   730  plain Moon 730x730 JPEG     "jpg"   moon.NNNN.jpg
//   5760 plain Moon 5760x3240 TIFF   "tif"   moon.NNNN.tif
//   1920 composite chart 1920x1080   "tif1"  comp.NNNN.tif
//   1080 composite chart 1080x1920   "tif1"  comp.NNNN.tif
//   850  orbit view 850x850          "tif2"  orbit.NNNN.tif
//   960  globe view 960x960          "tif3"  globe.NNNN.tif
// NNNN is the hour of the year plus one, at least four digits.
//
// Everything here is pure: the hour (UTC) and the observer's
// latitude are passed in. Latitude >= 0 selects the northern set of NASA's folders,
// below 0 the southern one.
//
// NASA has folders for the years of its registry (nasa_urls.h) only. These functions
// are total: a year without a series reads the nearest year's folders, so callers
// that care ask HasNasaSeries first.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/frame_file_name.h"
#include "core/view_kind.h"

// The rendition of the on-screen Moon view, whatever the ViewKind.
inline constexpr int kScreenFrameKey = 730;

// Where NASA's files are fetched from: the server's scheme and host ("https://svs.gsfc.nasa.gov"
// unless the build or ORVANEL_NASA_SERVER says otherwise) and the root of the local
// frame folders (ORVANEL_LOCAL_FRAMES), ending in a separator. Tests give a local server
// and a temporary folder.
struct NasaSite {
  std::string Server;
  std::string LocalFramesRoot;
};

// The built-in site, with the server replaced by the environment variable
// ORVANEL_NASA_SERVER when it is set and not empty (mirrors, tests).
NasaSite DefaultNasaSite();
// A site whose local root ends in a separator.
NasaSite MakeNasaSite(const std::string& Server, const std::string& LocalFramesRoot);

// URL of the frame folder of rendition Key for the year of Hour, ending in "/".
// Keys outside the list above give the 730 folder.
std::string GetNasaImageFolder(const NasaSite& Site, int Key, long double Hour, long double Latitude);
// Local frame folder: the root, "2023-" or "2024-" (2024 and 2025 share it),
// "730" when Large or "216", and a closing separator.
std::string GetImageFolder(const NasaSite& Site, bool Large, long double Hour);
// The renditions the window shows for an hour of view: NASA's Moon frame and, for the
// chart, orbit and globe views, the view's own frame too.
std::vector<int> ScreenKeysOf(ViewKind view);
// Rendition key of a view for export: Chart H 1920, Orbit 850, Globe 960, Chart V 1080, the Moon 5760.
int GetWidth(ViewKind View);
// File kind of a rendition key ("jpg" for 730 and for keys outside the list).
const char* FileKindOf(int Key);
// The uncompressed 24-bit size of the rendition a frame's file name belongs to
// ("moon.0001.jpg" a 730 x 730 frame, "moon.0001.tif" 5760 x 3240, "comp.0001.tif"
// 1920 x 1080, "orbit.0001.tif" 850 x 850, "globe.0001.tif" 960 x 960): no frame file
// of that name is larger. None for a name that is no frame's.
std::optional<long long> FrameFileBytes(const std::string& fileName);
// Full URL of the frame of rendition Key for Hour, in its year's folder.
std::string NasaFrameUrl(const NasaSite& Site, int Key, long double Hour, long double Latitude);

// NASA's movie of a view (the 2025 movies serve every year).
std::string MovieUrl(const NasaSite& Site, ViewKind View, long double Latitude);
// NASA's yearly data text file "mooninfo_YYYY.txt" for the year of Hour.
std::string MoonInfoUrl(const NasaSite& Site, long double Hour, long double Latitude);
// NASA's web page of the year of Hour.
std::string SvsPageUrl(const NasaSite& Site, long double Hour, long double Latitude);
