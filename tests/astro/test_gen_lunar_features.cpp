// The gazetteer's generator on the verified file and on damaged copies of it: every
// problem must stop it with "file:line: message" and without an output file; the
// names come out largest first, quoted names keep their commas, and the built-in
// table holds the file's values exactly.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

#include "astro/lunar_features.h"
#include "astro/packed_bytes.h"

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

// The packed fields of a generated source: its bytes unpacked as the program does.
std::vector<std::string> GeneratedFields(const std::string& path) {
  std::stringstream text;
  text << std::ifstream(path).rdbuf();
  const std::string source = text.str();
  std::istringstream numbers(source.substr(source.find('{') + 1));
  std::vector<unsigned char> bytes;
  for (int b; numbers >> b && numbers.get() == ',';) bytes.push_back(static_cast<unsigned char>(b));
  std::size_t size = 0;
  std::istringstream(source.substr(source.rfind(", ") + 2)) >> size;
  const PackedFields fields = UnpackedFields({bytes.data(), bytes.size(), size});
  return {fields.Fields.begin(), fields.Fields.end()};
}

TEST_F(GenLunarFeatures, KeepsQuotedCommasAndOrdersTheBuiltInTableLargestFirst) {
  Lines l = rows_;
  l.at(5) = "15,\"Abulfeda, Statio\",LF,-13.8,13.9,0.1";
  const auto [status, errors] = Run(l);
  ASSERT_EQ(status, 0) << errors;
  const std::vector<std::string> fields = GeneratedFields(Output());
  ASSERT_EQ(fields.size(), 5 * 9049u);
  const auto name = std::find(fields.begin(), fields.end(), "Abulfeda, Statio");
  ASSERT_LT(name, fields.end() - 4);
  EXPECT_EQ(std::vector<std::string>(name + 2, name + 5), (std::vector<std::string>{"-13.8", "13.9", "0.1"}));

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

// Every feature of the file is in the built-in table with the very doubles of its text.
TEST_F(GenLunarFeatures, TheBuiltInTableHoldsEveryRowOfTheFile) {
  std::map<std::string, const LunarFeature*> byName;
  for (const LunarFeature& f : LunarFeatures()) byName[f.Name] = &f;
  for (std::size_t i = 1; i < rows_.size(); ++i) {
    std::vector<std::string> f;
    std::istringstream line(rows_[i]);
    for (std::string field; std::getline(line, field, ',');) f.push_back(field);
    ASSERT_EQ(f.size(), 6u) << rows_[i];  // no quoted commas in the file
    const auto it = byName.find(f[1]);
    ASSERT_NE(it, byName.end()) << rows_[i];
    EXPECT_EQ(it->second->LatitudeDeg, std::strtod(f[3].c_str(), nullptr)) << rows_[i];
    EXPECT_EQ(it->second->LongitudeDeg, std::strtod(f[4].c_str(), nullptr)) << rows_[i];
    EXPECT_EQ(it->second->DiameterKm, std::strtod(f[5].c_str(), nullptr)) << rows_[i];
  }
  EXPECT_EQ(byName.size(), rows_.size() - 1);
}

}  // namespace
