#include "nasa/nasa_urls.h"

#include "astro/time_scales.h"

namespace {

// 2026: SVS 5587 is the northern series; its southern series has not been verified,
// so southern observers get the northern frames turned (see SouthFromNorth).
constexpr NasaSeries kSeries[] = {
    {2024, "/vis/a000000/a005100/a005187/", "/vis/a000000/a005100/a005188/", "/5187", "/5188", 0},
    {2025, "/vis/a000000/a005400/a005415/", "/vis/a000000/a005400/a005416/", "/5415", "/5416", 1},
    {2026, "/vis/a000000/a005500/a005587/", nullptr, "/5587/", nullptr, 1},
};

const NasaMovies kNorthMovies = {
    "/vis/a000000/a005400/a005415/",
    {"phases_2025_plain_1080p30.mp4", "Phases_North_Up_2025.mp4", "moon_orbit_2025_1080p30.mp4",
     "moon_subpnts_2025_960p30.mp4", "phases_2025_fancy_1920p30.mp4", "phases_2025_plain_1080p30.mp4",
     "phases_2025_plain_1080p30.mp4"},
};

const NasaMovies kSouthMovies = {
    "/vis/a000000/a005400/a005416/",
    {"phases_2025_plain_s_1080p30.mp4", "Phases_South_Up_2025.mp4", "moon_orbit_2025_s_1080p30.mp4",
     "subpnts_2025_s_960p30.mp4", "phases_2025_fancy_s_1920p30.mp4", "phases_2025_plain_s_1080p30.mp4",
     "phases_2025_plain_s_1080p30.mp4"},
};

const NasaSeries* SeriesOf(int year) {
  for (const NasaSeries& s : kSeries)
    if (s.Year == year) return &s;
  return nullptr;
}

bool North(long double Latitude) { return Latitude >= 0; }

}  // namespace

const std::array<RenditionFolder, 6> kRenditionFolders = {{
    {730, {"730x730_1x1_30p", "730x730_1x1_30p"}},
    {850, {"850x850_1x1_30p", "850x850_1x1_30p"}},
    {960, {"960x960_1x1_30p", "960x960_1x1_30p"}},
    {1920, {"1920x1080_16x9_30p/fancy", "1920x1080_16x9_30p/fancy"}},
    {1080, {"1080x1920_9x16_30p", "1080x1920_9x16_30p/v1"}},
    {5760, {"5760x3240_16x9_30p/plain", "5760x3240_16x9_30p/plain"}},
}};

std::span<const NasaSeries> NasaSeriesList() { return kSeries; }

const NasaSeries& NasaSeriesFor(long double CurrentDateTime) {
  const int year = YearOf(CurrentDateTime);
  if (year <= kSeries[0].Year) return kSeries[0];
  const NasaSeries* series = SeriesOf(year);
  return series ? *series : std::end(kSeries)[-1];
}

bool HasNasaSeries(long double CurrentDateTime) { return SeriesOf(YearOf(CurrentDateTime)) != nullptr; }

bool SouthFromNorth(long double CurrentDateTime, long double Latitude) {
  return !North(Latitude) && NasaSeriesFor(CurrentDateTime).SouthFolder == nullptr;
}

const char* YearFolderOf(const NasaSeries& series, long double Latitude) {
  return North(Latitude) || !series.SouthFolder ? series.NorthFolder : series.SouthFolder;
}

const char* SvsPageOf(const NasaSeries& series, long double Latitude) {
  return North(Latitude) || !series.SouthPage ? series.NorthPage : series.SouthPage;
}

const NasaMovies& MoviesFor(long double Latitude) { return North(Latitude) ? kNorthMovies : kSouthMovies; }
