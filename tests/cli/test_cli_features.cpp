// orvanel-cli features: one line per named feature on the visible disc, the Sun's
// altitude over it (checked as 90 degrees less ERFA's separation from the sub-solar
// point of the hour's values), the filters, frame sizes, years without NASA's
// table, and refused input; and the panel's colongitude line.
#include <erfa.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

#include "astro/lunar_features.h"
#include "astro/time_scales.h"
#include "nasa/hour_values.h"
#include "cli/cli_in_process.h"

namespace {

constexpr double kDeg = 3.14159265358979323846 / 180;

struct Line {
  std::string Name;
  double Lat, Lon, X, Y, Sun;
  std::string Light;
};

std::vector<Line> Features(const std::vector<std::string>& extra, int* exitCode = nullptr) {
  std::vector<std::string> args = {"features"};
  args.insert(args.end(), extra.begin(), extra.end());
  const ProgramRun run = RunCliInProcess(args);
  if (exitCode) *exitCode = run.ExitCode;
  std::vector<Line> lines;
  for (const std::string& text : OutputLines(run.Output)) {
    std::istringstream in(text);
    Line l;
    std::getline(in, l.Name, '\t');
    in >> l.Lat >> l.Lon >> l.X >> l.Y >> l.Sun >> l.Light;  // the tabs are white space
    EXPECT_EQ(std::count(text.begin(), text.end(), '\t'), 6) << text;
    EXPECT_TRUE(in) << text;
    lines.push_back(l);
  }
  return lines;
}

TEST(CliFeatures, PrintsTheVisibleFeaturesWithTheSunOverEach) {
  const struct {
    const char* Text;
    long double Instant;
  } kInstants[] = {{"2026-12-17T12:00Z", EncodeDateTimeOrZero(2026, 12, 17, 12, 0, 0, 0)},  // NASA's row
                   {"1650-05-03T07:00Z", EncodeDateTimeOrZero(1650, 5, 3, 7, 0, 0, 0)}};    // the program's own
  for (const auto& instant : kInstants) {
    int exitCode = -1;
    const std::vector<Line> lines = Features({instant.Text}, &exitCode);
    ASSERT_EQ(exitCode, 0);
    ASSERT_GT(lines.size(), 100u);
    const MoonHourValues v = HourValuesAt(instant.Instant).Values;
    for (const Line& l : lines) {
      const LunarFeature* f = FindLunarFeature(l.Name);
      ASSERT_NE(f, nullptr) << l.Name;
      EXPECT_GE(f->DiameterKm, 50);
      // The disc of the 730 frame: within its radius (at most 355 pixels) of pixel 365.
      EXPECT_LE(std::hypot(l.X - 365, l.Y - 365), 356) << l.Name;
      const double sun = 90 - eraSeps(f->LongitudeDeg * kDeg, f->LatitudeDeg * kDeg, double(v.Slon) * kDeg,
                                       double(v.Slat) * kDeg) / kDeg;
      EXPECT_NEAR(l.Sun, sun, 0.005 + 1e-9) << l.Name;  // printed to 0.01 degree
      EXPECT_EQ(l.Light, sun > 0 ? "lit" : "dark") << l.Name;
    }
  }
}

TEST(CliFeatures, FiltersByWidthAndTerminatorAndScalesToTheFrameSize) {
  const std::vector<Line> all = Features({"2026-12-17T12:00Z", "--min-km", "20"});
  const std::vector<Line> terminator = Features({"2026-12-17T12:00Z", "--min-km", "20", "--terminator"});
  const std::vector<Line> half = Features({"2026-12-17T12:00Z", "--size", "365"});
  EXPECT_GT(all.size(), Features({"2026-12-17T12:00Z"}).size());
  ASSERT_FALSE(terminator.empty());
  EXPECT_LT(terminator.size(), all.size());
  for (const Line& l : terminator) EXPECT_LE(std::fabs(l.Sun), 8.0) << l.Name;
  const std::vector<Line> full = Features({"2026-12-17T12:00Z"});
  ASSERT_EQ(half.size(), full.size());
  // Half the frame: the same disc at half scale about pixel 182.5, to the printed 0.05.
  for (std::size_t i = 0; i < full.size(); ++i) {
    EXPECT_NEAR(half[i].X, full[i].X / 2, 0.1) << full[i].Name;
    EXPECT_NEAR(half[i].Y, full[i].Y / 2, 0.1) << full[i].Name;
  }
}

TEST(CliFeatures, RefusesBadInputAndThePanelShowsTheColongitude) {
  for (const std::vector<std::string>& bad : {std::vector<std::string>{"4000-01-01T00:00Z"},
                                              {"2026-12-17T12:00Z", "--size", "0"},
                                              {"2026-12-17T12:00Z", "--min-km", "-5"},
                                              {"2026-12-17T12:00Z", "--bogus"}}) {
    int exitCode = -1;
    EXPECT_TRUE(Features(bad, &exitCode).empty());
    EXPECT_EQ(exitCode, 2);
  }
  const std::string panel = RunCliInProcess({"panel", "2026-12-17T12:00Z"}).Output;
  const MoonHourValues v = HourValuesAt(EncodeDateTimeOrZero(2026, 12, 17, 12, 0, 0, 0)).Values;
  const double colongitude = std::fmod(90 - double(v.Slon) + 720, 360);  // Meeus, ch. 53
  const std::size_t at = panel.find("Colong  ");
  ASSERT_NE(at, std::string::npos) << panel;
  EXPECT_NEAR(std::stod(panel.substr(at + 8)), colongitude, 0.005 + 1e-9);
}

}  // namespace
