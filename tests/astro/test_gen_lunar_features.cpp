// The gazetteer's generator on the verified file and on damaged copies of it: every
// problem must stop it with "file:line: message" and without an output file; the
// names come out largest first and quoted names keep their commas.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

#include "astro/lunar_features.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

class GenLunarFeatures : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("gen_lunar_features_" + std::to_string(::getpid()));
    fs::create_directories(folder_);
    std::ifstream in(std::string(ORVANEL_TEST_DATA_DIR) + "/moon/lunar_features.csv");
    for (std::string line; std::getline(in, line);) rows_.push_back(line);
    ASSERT_EQ(rows_.size(), 9050u);
  }
  void TearDown() override { fs::remove_all(folder_); }

  // Writes lines as the input, runs the generator; its exit status and stderr.
  std::pair<int, std::string> Run(const Lines& lines) const {
    std::ofstream(Input()) << [&lines] {
      std::string s;
      for (const std::string& l : lines) s += l + "\n";
      return s;
    }();
    const std::string command = std::string(ORVANEL_GEN_LUNAR_FEATURES) + " '" + Output() + "' '" + Input() + "' 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    std::string text;
    for (int c; (c = std::fgetc(pipe)) != EOF;) text += static_cast<char>(c);
    const int status = ::pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text};
  }

  std::string Input() const { return (folder_ / "features.csv").string(); }
  std::string Output() const { return (folder_ / "out.cpp").string(); }

  fs::path folder_;
  Lines rows_;
};

TEST_F(GenLunarFeatures, StopsAtTheLineOfEveryDamage) {
  const auto with = [this](std::size_t index, const std::string& line) {
    Lines l = rows_;
    l.at(index) = line;
    return l;
  };
  const struct {
    Lines Input;
    int Line;
    const char* Words;
  } kCases[] = {
      {with(0, "id,name,kind,lat,lon,diameter_km"), 1, "expected the header"},
      {with(5, "15,Abulfeda,XX,-13.8,13.9,62.2"), 6, "unknown feature type"},
      {with(5, "15,Abulfeda,AA,-93.8,13.9,62.2"), 6, "out of range"},
      {with(5, "15,Abulfeda,AA,-13.8,13.9"), 6, "expected 6 columns"},
      {with(5, "15,Abulfeda,AA,-13.8,east,62.2"), 6, "not a decimal number"},
      {with(5, "15,Abel,AA,-13.8,13.9,62.2"), 6, "appears twice"},
      {Lines(rows_.begin(), rows_.end() - 1), 9049, "expected 9049 data rows"},
  };
  for (const auto& c : kCases) {
    fs::remove(Output());
    const auto [status, errors] = Run(c.Input);
    EXPECT_EQ(status, 1) << errors;
    EXPECT_EQ(errors.rfind(Input() + ":" + std::to_string(c.Line) + ": ", 0), 0u) << errors;
    EXPECT_NE(errors.find(c.Words), std::string::npos) << errors;
    EXPECT_FALSE(fs::exists(Output())) << c.Words;
  }
}

TEST_F(GenLunarFeatures, KeepsQuotedCommasAndOrdersTheBuiltInTableLargestFirst) {
  Lines l = rows_;
  l.at(5) = "15,\"Abulfeda, Statio\",LF,-13.8,13.9,0.1";
  const auto [status, errors] = Run(l);
  ASSERT_EQ(status, 0) << errors;
  std::stringstream text;
  text << std::ifstream(Output()).rdbuf();
  EXPECT_NE(text.str().find("{\"Abulfeda, Statio\", FeatureKind::LandingSite, -13.8, 13.9, 0.1},"), std::string::npos);

  const auto features = LunarFeatures();
  ASSERT_EQ(features.size(), 9049u);
  for (std::size_t i = 1; i < features.size(); ++i) ASSERT_GE(features[i - 1].DiameterKm, features[i].DiameterKm);
  EXPECT_STREQ(features.front().Name, "Oceanus Procellarum");
  const LunarFeature* tycho = FindLunarFeature("tYCHO");
  ASSERT_NE(tycho, nullptr);
  EXPECT_EQ(tycho->Kind, FeatureKind::Crater);
  EXPECT_DOUBLE_EQ(tycho->LatitudeDeg, -43.2958);
  EXPECT_EQ(FindLunarFeature("Tycho Q")->Kind, FeatureKind::SatelliteCrater);
}

}  // namespace
