#include "nasa/frame_naming.h"

#include <QByteArray>
#include <filesystem>
#include <regex>

#include "astro/time_scales.h"
#include "nasa/nasa_urls.h"

namespace {

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

}  // namespace

NasaSite DefaultNasaSite() {
  const QByteArray server = qgetenv("ORVANEL_NASA_SERVER");
  return MakeNasaSite(server.isEmpty() ? ORVANEL_NASA_SERVER : server.toStdString(), ORVANEL_LOCAL_FRAMES);
}

NasaSite MakeNasaSite(const std::string& Server, const std::string& LocalFramesRoot) {
  return {Server, WithSeparator(LocalFramesRoot)};
}

std::string GetNasaImageFolder(const NasaSite& Site, int Key, long double Hour, long double Latitude) {
  const NasaSeries& series = NasaSeriesFor(Hour);
  return Site.Server + YearFolderOf(series, Latitude) + "frames/" + RenditionOf(Key).Folder[series.Layout] + "/";
}

std::string GetImageFolder(const NasaSite& Site, bool Large, long double Hour) {
  const char* year = YearOf(Hour) == 2023 ? "2023" : "2024";
  return WithSeparator(Site.LocalFramesRoot + year + (Large ? "-730" : "-216"));
}

std::vector<int> ScreenKeysOf(ViewKind view) {
  if (IsMoonView(view)) return {kScreenFrameKey};
  return {kScreenFrameKey, DescriptionOf(view).ScreenKey};
}

int GetWidth(ViewKind View) { return DescriptionOf(View).ExportKey; }

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

std::optional<long long> FrameFileBytes(const std::string& fileName) {
  struct Rendition {
    const char* Prefix;
    const char* Extension;
    long long Pixels;
  };
  static constexpr Rendition kFrameFiles[] = {{"moon", "jpg", 730LL * 730},   {"moon", "tif", 5760LL * 3240},
                                              {"comp", "tif", 1920LL * 1080}, {"orbit", "tif", 850LL * 850},
                                              {"globe", "tif", 960LL * 960}};
  static const std::regex kName(R"(([a-z]+)\.[0-9]{1,6}\.([a-z]+))");
  std::smatch m;
  if (!std::regex_match(fileName, m, kName)) return std::nullopt;
  for (const Rendition& r : kFrameFiles)
    if (m[1] == r.Prefix && m[2] == r.Extension) return 3 * r.Pixels;
  return std::nullopt;
}

std::string NasaFrameUrl(const NasaSite& Site, int Key, long double Hour, long double Latitude) {
  return GetNasaImageFolder(Site, Key, Hour, Latitude) + GetFileName(FileKindOf(Key), Hour);
}

std::string MovieUrl(const NasaSite& Site, ViewKind View, long double Latitude) {
  const NasaMovies& movies = MoviesFor(Latitude);
  return Site.Server + movies.Folder + movies.Files[IndexOf(View)];
}

std::string MoonInfoUrl(const NasaSite& Site, long double Hour, long double Latitude) {
  const NasaSeries& series = NasaSeriesFor(Hour);
  return Site.Server + YearFolderOf(series, Latitude) + "mooninfo_" + std::to_string(series.Year) + ".txt";
}

std::string SvsPageUrl(const NasaSite& Site, long double Hour, long double Latitude) {
  return Site.Server + SvsPageOf(NasaSeriesFor(Hour), Latitude);
}
