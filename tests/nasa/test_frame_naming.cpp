// Frame names, NASA folders and URLs, local folders.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <QByteArray>

#include "astro/time_scales.h"
#include "nasa/frame_naming.h"
#include "nasa/nasa_urls.h"

namespace {

long double At(int year, int month, int day, int hour, int minute = 0) {
  return EncodeDateTimeOrZero(year, month, day, hour, minute, 0, 0);
}

constexpr long double k2024 = 45452.75L;  // 2024-06-09 18:00 UTC, HourNumber 3858
constexpr long double k2025 = 45717.0L;   // 2025-03-01 00:00 UTC

// NASA's paths as published, written out here independently of the program's tables.
constexpr const char* kNorth2024 = "/vis/a000000/a005100/a005187/";
constexpr const char* kNorth2025 = "/vis/a000000/a005400/a005415/";
constexpr const char* kSouth2024 = "/vis/a000000/a005100/a005188/";
constexpr const char* kSouth2025 = "/vis/a000000/a005400/a005416/";

const NasaSite kSite = MakeNasaSite("https://svs.example.org", "frames");

std::string Url(const std::string& path) { return kSite.Server + path; }

TEST(GetFileName, NumbersFramesFromOneWithFourDigits) {
  EXPECT_EQ(GetFileName("jpg", At(2024, 1, 1, 0)), "moon.0001.jpg");
  EXPECT_EQ(GetFileName("jpg", At(2024, 1, 1, 9)), "moon.0010.jpg");
  EXPECT_EQ(GetFileName("jpg", At(2024, 12, 31, 23)), "moon.8784.jpg");
  EXPECT_EQ(GetFileName("jpg", At(2025, 12, 31, 23)), "moon.8760.jpg");
  EXPECT_EQ(GetFileName("jpg", k2024), "moon.3859.jpg");
  // 58 min 45 s past an hour already belongs to the next frame.
  EXPECT_EQ(GetFileName("jpg", At(2024, 3, 10, 4, 58)), "moon.1661.jpg");
  EXPECT_EQ(GetFileName("jpg", At(2024, 3, 10, 4, 59)), "moon.1662.jpg");
}

TEST(GetFileName, KindsChooseThePrefixIgnoringCase) {
  EXPECT_EQ(GetFileName("tif", k2024), "moon.3859.tif");
  EXPECT_EQ(GetFileName("tif1", k2024), "comp.3859.tif");
  EXPECT_EQ(GetFileName("Tif2", k2024), "orbit.3859.tif");
  EXPECT_EQ(GetFileName("TIF3", k2024), "globe.3859.tif");
  // Any other kind is the extension of a moon frame, as written.
  EXPECT_EQ(GetFileName("Tif", k2024), "moon.3859.Tif");
  EXPECT_EQ(GetFileName("tif4", k2024), "moon.3859.tif4");
}

TEST(GetNasaImageFolder, EveryRenditionYearAndHemisphere) {
  const struct {
    int Key;
    const char* Folder2024;
    const char* Folder2025;
  } renditions[] = {
      {730, "730x730_1x1_30p", "730x730_1x1_30p"},
      {850, "850x850_1x1_30p", "850x850_1x1_30p"},
      {960, "960x960_1x1_30p", "960x960_1x1_30p"},
      {1920, "1920x1080_16x9_30p/fancy", "1920x1080_16x9_30p/fancy"},
      {1080, "1080x1920_9x16_30p", "1080x1920_9x16_30p/v1"},
      {5760, "5760x3240_16x9_30p/plain", "5760x3240_16x9_30p/plain"},
  };
  for (const auto& r : renditions) {
    EXPECT_EQ(GetNasaImageFolder(kSite, r.Key, k2024, 41.3L), Url(kNorth2024) + "frames/" + r.Folder2024 + "/");
    EXPECT_EQ(GetNasaImageFolder(kSite, r.Key, k2025, 41.3L), Url(kNorth2025) + "frames/" + r.Folder2025 + "/");
    EXPECT_EQ(GetNasaImageFolder(kSite, r.Key, k2024, -33.9L), Url(kSouth2024) + "frames/" + r.Folder2024 + "/");
    EXPECT_EQ(GetNasaImageFolder(kSite, r.Key, k2025, -33.9L), Url(kSouth2025) + "frames/" + r.Folder2025 + "/");
  }
}

TEST(GetNasaImageFolder, UnknownKeysGiveThe730Folder) {
  const std::string folder730 = GetNasaImageFolder(kSite, 730, k2024, 10);
  EXPECT_EQ(GetNasaImageFolder(kSite, 216, k2024, 10), folder730);
  EXPECT_EQ(GetNasaImageFolder(kSite, 0, k2024, 10), folder730);
  EXPECT_EQ(GetNasaImageFolder(kSite, -1, k2024, 10), folder730);
}

TEST(GetNasaImageFolder, TheEquatorIsNorth) {
  EXPECT_EQ(GetNasaImageFolder(kSite, 730, k2024, 0.0L), Url(kNorth2024) + "frames/730x730_1x1_30p/");
  EXPECT_EQ(GetNasaImageFolder(kSite, 730, k2024, -0.5L), Url(kSouth2024) + "frames/730x730_1x1_30p/");
  EXPECT_EQ(GetNasaImageFolder(kSite, 730, k2025, -0.5L), Url(kSouth2025) + "frames/730x730_1x1_30p/");
}

// The folder and the file name both come from the hour.
TEST(NasaFrameUrl, JoinsTheFolderAndTheNameOfTheHour) {
  EXPECT_EQ(NasaFrameUrl(kSite, 730, k2024, -33.9L), Url(kSouth2024) + "frames/730x730_1x1_30p/moon.3859.jpg");
  EXPECT_EQ(NasaFrameUrl(kSite, 960, k2024, 5), Url(kNorth2024) + "frames/960x960_1x1_30p/globe.3859.tif");
  EXPECT_EQ(NasaFrameUrl(kSite, 1080, k2025, 5), Url(kNorth2025) + "frames/1080x1920_9x16_30p/v1/comp.1417.tif");
  EXPECT_EQ(NasaFrameUrl(kSite, 5760, k2024, 5), Url(kNorth2024) + "frames/5760x3240_16x9_30p/plain/moon.3859.tif");
  EXPECT_EQ(NasaFrameUrl(kSite, 850, k2024, 5), Url(kNorth2024) + "frames/850x850_1x1_30p/orbit.3859.tif");
}

// Years without NASA folders never index past the two years: earlier years read
// 2024's entries, later years 2025's.
TEST(NasaYearGuard, YearsOutsideTheSeriesUseTheNearestYear) {
  for (long double before : {At(2023, 12, 31, 23), At(1990, 5, 1, 0), 1.0L}) {
    EXPECT_EQ(GetNasaImageFolder(kSite, 730, before, 1), GetNasaImageFolder(kSite, 730, k2024, 1));
    EXPECT_EQ(MoonInfoUrl(kSite, before, -1), MoonInfoUrl(kSite, k2024, -1));
    EXPECT_EQ(SvsPageUrl(kSite, before, 1), SvsPageUrl(kSite, k2024, 1));
  }
  const long double k2026 = At(2026, 12, 8, 20);
  for (long double after : {At(2027, 1, 1, 0), At(2030, 7, 1, 0), 2958465.0L}) {
    EXPECT_EQ(GetNasaImageFolder(kSite, 1080, after, 1), GetNasaImageFolder(kSite, 1080, k2026, 1));
    EXPECT_EQ(MoonInfoUrl(kSite, after, 1), MoonInfoUrl(kSite, k2026, 1));
    EXPECT_EQ(SvsPageUrl(kSite, after, -1), SvsPageUrl(kSite, k2026, -1));
  }
}

// 2026 is SVS 5587 with 2025's folder names; its southern series is not verified, so
// the south reads the northern folders (and the Moon view turns that frame).
TEST(NasaSeries, TheRegistryOf2026) {
  const long double x = At(2026, 12, 8, 20);
  const std::string north = "/vis/a000000/a005500/a005587/";
  EXPECT_EQ(NasaFrameUrl(kSite, 730, x, 41), Url(north) + "frames/730x730_1x1_30p/moon.8205.jpg");
  EXPECT_EQ(NasaFrameUrl(kSite, 1080, x, 41), Url(north) + "frames/1080x1920_9x16_30p/v1/comp.8205.tif");
  EXPECT_EQ(NasaFrameUrl(kSite, 730, x, -33.9L), NasaFrameUrl(kSite, 730, x, 41));
  EXPECT_EQ(MoonInfoUrl(kSite, x, -1), Url(north) + "mooninfo_2026.txt");
  EXPECT_EQ(SvsPageUrl(kSite, x, 1), Url("/5587/"));
  EXPECT_TRUE(SouthFromNorth(x, -33.9L));
  EXPECT_FALSE(SouthFromNorth(x, 0));
  EXPECT_FALSE(SouthFromNorth(k2025, -33.9L));
  EXPECT_TRUE(HasNasaSeries(x));
  EXPECT_FALSE(HasNasaSeries(At(2027, 1, 1, 0)));
  EXPECT_FALSE(HasNasaSeries(At(2023, 12, 31, 23)));
}

TEST(GetWidth, ViewKindsToRenditionKeys) {
  EXPECT_EQ(GetWidth(ViewKind::Moon), 5760);
  EXPECT_EQ(GetWidth(ViewKind::ChartH), 1920);
  EXPECT_EQ(GetWidth(ViewKind::Orbit), 850);
  EXPECT_EQ(GetWidth(ViewKind::Globe), 960);
  EXPECT_EQ(GetWidth(ViewKind::ChartV), 1080);
  EXPECT_EQ(GetWidth(ViewKindOf(5)), 5760);
  EXPECT_EQ(GetWidth(ViewKindOf(-1)), 5760);
}

TEST(FileKindOf, RenditionKeysToFileKinds) {
  EXPECT_STREQ(FileKindOf(730), "jpg");
  EXPECT_STREQ(FileKindOf(5760), "tif");
  EXPECT_STREQ(FileKindOf(1920), "tif1");
  EXPECT_STREQ(FileKindOf(1080), "tif1");
  EXPECT_STREQ(FileKindOf(850), "tif2");
  EXPECT_STREQ(FileKindOf(960), "tif3");
  EXPECT_STREQ(FileKindOf(216), "jpg");
}

TEST(MovieUrl, The2025MoviesOfEachView) {
  const char* north[] = {"phases_2025_plain_1080p30.mp4", "Phases_North_Up_2025.mp4", "moon_orbit_2025_1080p30.mp4",
                         "moon_subpnts_2025_960p30.mp4", "phases_2025_fancy_1920p30.mp4"};
  const char* south[] = {"phases_2025_plain_s_1080p30.mp4", "Phases_South_Up_2025.mp4",
                         "moon_orbit_2025_s_1080p30.mp4", "subpnts_2025_s_960p30.mp4",
                         "phases_2025_fancy_s_1920p30.mp4"};
  for (int view = 0; view < 5; ++view) {
    EXPECT_EQ(MovieUrl(kSite, ViewKindOf(view), 0), Url(kNorth2025) + north[view]);
    EXPECT_EQ(MovieUrl(kSite, ViewKindOf(view), -45), Url(kSouth2025) + south[view]);
  }
}

TEST(MoonInfoUrl, TheYearlyTextFileInTheYearFolder) {
  EXPECT_EQ(MoonInfoUrl(kSite, k2024, 41), Url(kNorth2024) + "mooninfo_2024.txt");
  EXPECT_EQ(MoonInfoUrl(kSite, k2025, 41), Url(kNorth2025) + "mooninfo_2025.txt");
  EXPECT_EQ(MoonInfoUrl(kSite, k2024, -41), Url(kSouth2024) + "mooninfo_2024.txt");
  EXPECT_EQ(MoonInfoUrl(kSite, k2025, -41), Url(kSouth2025) + "mooninfo_2025.txt");
}

TEST(SvsPageUrl, TheWebPageOfTheYear) {
  EXPECT_EQ(SvsPageUrl(kSite, k2024, 41), Url("/5187"));
  EXPECT_EQ(SvsPageUrl(kSite, k2025, 41), Url("/5415"));
  EXPECT_EQ(SvsPageUrl(kSite, k2024, -41), Url("/5188"));
  EXPECT_EQ(SvsPageUrl(kSite, k2025, -41), Url("/5416"));
}

TEST(NasaSite, IsHttpsByDefaultAndTheEnvironmentReplacesTheServer) {
  qunsetenv("ORVANEL_NASA_SERVER");
  EXPECT_EQ(DefaultNasaSite().Server.rfind("https://", 0), 0u);
  qputenv("ORVANEL_NASA_SERVER", "http://127.0.0.1:8080");
  const NasaSite site = DefaultNasaSite();
  qunsetenv("ORVANEL_NASA_SERVER");
  EXPECT_EQ(GetNasaImageFolder(site, 730, k2024, 1), std::string("http://127.0.0.1:8080") + kNorth2024 + "frames/730x730_1x1_30p/");
  EXPECT_EQ(SvsPageUrl(site, k2025, -1), "http://127.0.0.1:8080/5416");
}

TEST(GetImageFolder, LocalFoldersOfTheYear) {
  const char sep = static_cast<char>(std::filesystem::path::preferred_separator);
  const std::string root = std::string("frames") + sep;
  EXPECT_EQ(kSite.LocalFramesRoot, root);
  EXPECT_EQ(GetImageFolder(kSite, true, k2024), root + "2024-730" + sep);
  EXPECT_EQ(GetImageFolder(kSite, false, k2024), root + "2024-216" + sep);
  // 2025 shares the 2024 folders; 2023 has its own.
  EXPECT_EQ(GetImageFolder(kSite, true, k2025), root + "2024-730" + sep);
  EXPECT_EQ(GetImageFolder(kSite, true, At(2023, 8, 1, 0)), root + "2023-730" + sep);
  EXPECT_EQ(GetImageFolder(kSite, false, At(2023, 8, 1, 0)), root + "2023-216" + sep);
  EXPECT_EQ(DefaultNasaSite().LocalFramesRoot.back(), sep);
}

}  // namespace
