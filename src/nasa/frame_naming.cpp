#include "nasa/frame_naming.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>

#include "app/hour_clock.h"
#include "astro/time_scales.h"
#include "nasa/nasa_urls.h"

namespace {

bool SameTextIgnoringCase(const std::string& a, const char* b) {
  const std::string_view bv(b);
  return a.size() == bv.size() && std::equal(a.begin(), a.end(), bv.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

const RenditionFolder& RenditionOf(int Key) {
  for (const RenditionFolder& r : kRenditionFolders)
    if (r.Key == Key) return r;
  return kRenditionFolders.front();  // the 730 folder
}

std::string WithSeparator(std::string folder) {
  constexpr char kSeparator = static_cast<char>(std::filesystem::path::preferred_separator);
  if (folder.empty() || (folder.back() != kSeparator && folder.back() != '/')) folder += kSeparator;
  return folder;
}

std::string& ServerSetting() {
  static std::string server = ORVANEL_NASA_SERVER;
  return server;
}

std::string& LocalRootSetting() {
  static std::string root = WithSeparator(ORVANEL_LOCAL_FRAMES);
  return root;
}

}  // namespace

std::string GetFileName(const std::string& Kind, long double Instant) {
  char number[16];
  std::snprintf(number, sizeof number, "%04d", GetHourNumber(Instant) + 1);
  if (SameTextIgnoringCase(Kind, "tif1")) return std::string("comp.") + number + ".tif";
  if (SameTextIgnoringCase(Kind, "tif2")) return std::string("orbit.") + number + ".tif";
  if (SameTextIgnoringCase(Kind, "tif3")) return std::string("globe.") + number + ".tif";
  return std::string("moon.") + number + "." + Kind;
}

std::string GetNasaImageFolder(int Key, long double CurrentDateTime, long double Latitude) {
  const int year = NasaYearIndex(CurrentDateTime);
  return NasaServer() + NasaUrlSetFor(Latitude).YearFolder[year] + "frames/" +
         RenditionOf(Key).Folder[year] + "/";
}

std::string GetImageFolder(bool Large, long double CurrentDateTime) {
  const char* year = YearOf(CurrentDateTime) == 2023 ? "2023" : "2024";
  return WithSeparator(LocalFramesRoot() + year + (Large ? "-730" : "-216"));
}

int GetWidth(int ViewKind) {
  switch (ViewKind) {
    case 1: return 1920;
    case 2: return 850;
    case 3: return 960;
    case 4: return 1080;
    default: return 5760;
  }
}

const char* FileKindOf(int Key) {
  switch (Key) {
    case 5760: return "tif";
    case 1920:
    case 1080: return "tif1";
    case 850: return "tif2";
    case 960: return "tif3";
    default: return "jpg";
  }
}

std::string NasaFrameUrl(int Key, long double Instant, long double CurrentDateTime, long double Latitude) {
  return GetNasaImageFolder(Key, CurrentDateTime, Latitude) + GetFileName(FileKindOf(Key), Instant);
}

std::string MovieUrl(int ViewKind, long double Latitude) {
  const NasaUrlSet& set = NasaUrlSetFor(Latitude);
  const int view = ViewKind >= 0 && ViewKind < kViewKindCount ? ViewKind : 0;
  return NasaServer() + set.YearFolder[kNasaYearCount - 1] + set.MovieUrls[view];
}

std::string MoonInfoUrl(long double CurrentDateTime, long double Latitude) {
  const int year = NasaYearIndex(CurrentDateTime);
  return NasaServer() + NasaUrlSetFor(Latitude).YearFolder[year] + "mooninfo_" +
         std::to_string(kFirstNasaYear + year) + ".txt";
}

std::string SvsPageUrl(long double CurrentDateTime, long double Latitude) {
  return NasaServer() + NasaUrlSetFor(Latitude).SvsPage[NasaYearIndex(CurrentDateTime)];
}

const std::string& NasaServer() { return ServerSetting(); }

void SetNasaServer(const std::string& schemeAndHost) { ServerSetting() = schemeAndHost; }

const std::string& LocalFramesRoot() { return LocalRootSetting(); }

void SetLocalFramesRoot(const std::string& root) { LocalRootSetting() = WithSeparator(root); }
