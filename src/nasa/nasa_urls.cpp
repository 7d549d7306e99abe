#include "nasa/nasa_urls.h"

#include <algorithm>

#include "astro/time_scales.h"

const NasaUrlSet NasaUrlNorth = {
    {"/vis/a000000/a005100/a005187/", "/vis/a000000/a005400/a005415/"},
    {"/5187", "/5415"},
    {"phases_2025_plain_1080p30.mp4", "Phases_North_Up_2025.mp4", "moon_orbit_2025_1080p30.mp4",
     "moon_subpnts_2025_960p30.mp4", "phases_2025_fancy_1920p30.mp4"},
};

const NasaUrlSet NasaUrlSouth = {
    {"/vis/a000000/a005100/a005188/", "/vis/a000000/a005400/a005416/"},
    {"/5188", "/5416"},
    {"phases_2025_plain_s_1080p30.mp4", "Phases_South_Up_2025.mp4", "moon_orbit_2025_s_1080p30.mp4",
     "subpnts_2025_s_960p30.mp4", "phases_2025_fancy_s_1920p30.mp4"},
};

const std::array<RenditionFolder, 6> kRenditionFolders = {{
    {730, {"730x730_1x1_30p", "730x730_1x1_30p"}},
    {850, {"850x850_1x1_30p", "850x850_1x1_30p"}},
    {960, {"960x960_1x1_30p", "960x960_1x1_30p"}},
    {1920, {"1920x1080_16x9_30p/fancy", "1920x1080_16x9_30p/fancy"}},
    {1080, {"1080x1920_9x16_30p", "1080x1920_9x16_30p/v1"}},
    {5760, {"5760x3240_16x9_30p/plain", "5760x3240_16x9_30p/plain"}},
}};

const NasaUrlSet& NasaUrlSetFor(long double Latitude) {
  return Latitude >= 0 ? NasaUrlNorth : NasaUrlSouth;
}

int NasaYearIndex(long double CurrentDateTime) {
  return std::clamp(YearOf(CurrentDateTime) - kFirstNasaYear, 0, kNasaYearCount - 1);
}
