// orvanel-cli ephemeris: NASA's layout and decimals, values within the ephemeris's
// limits against NASA's rows, and the refused instants outside 1600 ... 3999.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "cli/cli_in_process.h"

namespace {

ProgramRun Cli(const std::vector<std::string>& arguments, bool withErrors = false) {
  return RunCliInProcess(arguments, withErrors);
}

std::vector<double> Numbers(const std::string& line) {
  std::istringstream in(line);
  std::vector<double> v;
  for (double x; in >> x;) v.push_back(x);
  return v;
}

// The decimals of each printed field, as NASA prints them.
std::vector<std::size_t> Decimals(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::size_t> d;
  for (std::string field; in >> field;) d.push_back(field.size() - field.find('.') - 1);
  return d;
}

}  // namespace

TEST(CliEphemeris, PrintsNasasLayoutWithinTheEphemerisLimits) {
  // Day number, then NASA's check rows of 2024-01-01 00:00 and 2025-12-31 23:00.
  const struct {
    const char* Instant;
    const char* Nasa;
  } rows[] = {
      {"2024-01-01T00:00Z", "45292.00000000 78.03 19.019 1771.3 404634 10.5867 12.7508 -55.867 -1.554 0.041 -4.685 20.699"},
      {"2025-12-31T23:00Z", "46022.95833333 91.12 11.887 1984.8 361108 4.1894 26.2210 33.025 -1.347 -1.356 -6.550 349.663"},
  };
  // Phase, Age, Diam, Dist, RA cos Dec ("), Dec ("), Slon, Slat, Elon, Elat, AxisA.
  constexpr std::array<double, 11> kLimits = {0.02, 0.002, 0.2, 20, 8, 5, 0.012, 0.012, 0.008, 0.008, 0.008};
  for (const auto& r : rows) {
    const ProgramRun run = Cli({"ephemeris", r.Instant});
    ASSERT_EQ(run.ExitCode, 0) << r.Instant;
    const std::string line = run.Output.substr(0, run.Output.find('\n'));
    EXPECT_EQ(run.Output, line + "\n");
    EXPECT_EQ(Decimals(line), Decimals(r.Nasa)) << line;
    const std::vector<double> ours = Numbers(line), nasa = Numbers(r.Nasa);
    ASSERT_EQ(ours.size(), 12u) << line;
    EXPECT_EQ(ours[0], nasa[0]);
    std::vector<double> d(12);
    for (std::size_t i = 1; i < 12; ++i) d[i] = std::remainder(ours[i] - nasa[i], i == 5 ? 24.0 : 360.0);
    d[5] *= 15 * 3600 * std::cos(nasa[6] * M_PI / 180);
    d[6] *= 3600;
    for (std::size_t i = 1; i < 12; ++i) EXPECT_LE(std::fabs(d[i]), kLimits[i - 1]) << r.Instant << " column " << i;
  }
}

TEST(CliEphemeris, RefusesInstantsOutside1600To3999) {
  EXPECT_EQ(Cli({"ephemeris", "1600-01-01T00:00Z"}).ExitCode, 0);
  EXPECT_EQ(Cli({"ephemeris", "3999-12-31T23:59:59Z"}).ExitCode, 0);
  for (const char* instant : {"1599-12-31T23:59Z", "4000-01-01T00:00Z", "2958465", "tomorrow"}) {
    const ProgramRun run = Cli({"ephemeris", instant}, true);
    EXPECT_EQ(run.ExitCode, 2) << instant;
    EXPECT_EQ(OutputLines(run.Output).size(), 1u) << run.Output;  // the one line on stderr, nothing on stdout
  }
  EXPECT_EQ(Cli({"ephemeris"}).ExitCode, 2);
}

// A year NASA has not published: the panel says "Computed Data:" and shows the
// ephemeris's values (the panel gives Elon one decimal more, so compare to the
// last printed digit of the shorter one).
TEST(CliPanel, AYearWithoutNasaTableShowsTheEphemerisValues) {
  const ProgramRun panel = Cli({"panel", "2031-05-01T00:00:00Z", "--lat", "41.3", "--lon", "-73.1"});
  ASSERT_EQ(panel.ExitCode, 0);
  std::vector<std::string> lines;
  std::istringstream in(panel.Output);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 31u);
  EXPECT_EQ(lines[9], "Computed Data:");
  const std::vector<double> ephemeris = Numbers(Cli({"ephemeris", "2031-05-01T00:00:00Z"}).Output);
  ASSERT_EQ(ephemeris.size(), 12u);
  for (int i = 0; i < 11; ++i) {
    std::string digits;
    for (const char c : lines[10 + i])
      if ((c >= '0' && c <= '9') || c == '.' || c == '-') digits += c;
    EXPECT_NEAR(std::stod(digits), ephemeris[i + 1], 0.0005 + 1e-9) << lines[10 + i];
  }
  EXPECT_NE(Cli({"panel", "2026-12-08T20:00:00Z"}).Output.find("NASA Data:"), std::string::npos);
}

namespace {

std::vector<std::string> FileLines(const std::string& path) {
  std::ifstream in(path);
  std::ostringstream text;
  text << in.rdbuf();
  return OutputLines(text.str());
}

// Where each whitespace-separated field of a line ends.
std::vector<std::size_t> FieldEnds(const std::string& line) {
  std::vector<std::size_t> ends;
  for (std::size_t i = 0; i < line.size(); ++i)
    if (line[i] != ' ' && (i + 1 == line.size() || line[i + 1] == ' ')) ends.push_back(i + 1);
  return ends;
}

std::vector<std::string> WordsOf(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

}  // namespace

// A year NASA has not published: every hour in NASA's layout (its header and its
// column ends, as in NASA's 2026 table), in order, each row's values the text
// `ephemeris` prints for its hour; --out writes the same table.
TEST(CliTable, EveryHourOfTheYearInNasasLayoutAsEphemerisPrintsIt) {
  const std::vector<std::string> nasa = FileLines(ORVANEL_TEST_DATA_DIR "/nasa/mooninfo_2026.txt");
  const ProgramRun run = Cli({"table", "2027"});
  ASSERT_EQ(run.ExitCode, 0);
  const std::vector<std::string> lines = OutputLines(run.Output);
  ASSERT_EQ(lines.size(), 8761u);
  EXPECT_EQ(lines[0], nasa[0]);
  EXPECT_EQ(lines[1].substr(0, 20), "01 Jan 2027 00:00 UT");
  EXPECT_EQ(lines[8760].substr(0, 20), "31 Dec 2027 23:00 UT");
  for (std::size_t i = 1; i < lines.size(); ++i) ASSERT_EQ(FieldEnds(lines[i]), FieldEnds(nasa[1])) << lines[i];

  std::mt19937 random(2027);
  for (int k = 0; k < 10; ++k) {
    const int hour = static_cast<int>(random() % 8760);
    char instant[32];
    std::snprintf(instant, sizeof instant, "%.10f", 46388.0 + hour / 24.0);  // 2027-01-01 = day 46388
    const std::vector<std::string> row = WordsOf(lines[1 + static_cast<std::size_t>(hour)]);
    const std::vector<std::string> ephemeris = WordsOf(Cli({"ephemeris", instant}).Output);
    ASSERT_EQ(ephemeris.size(), 12u);
    EXPECT_EQ(std::vector<std::string>(row.begin() + 5, row.end()),
              std::vector<std::string>(ephemeris.begin() + 1, ephemeris.end()))
        << "hour " << hour;
  }

  const std::string path = (std::filesystem::temp_directory_path() / "orvanel_cli_table_2027.txt").string();
  std::ofstream(path + ".part") << "a file of the user's\n";
  ASSERT_EQ(Cli({"table", "2027", "--out", path}).ExitCode, 0);
  EXPECT_EQ(FileLines(path), lines);
  EXPECT_EQ(FileLines(path + ".part"), std::vector<std::string>{"a file of the user's"});
  std::filesystem::remove(path);
  std::filesystem::remove(path + ".part");
}

// Only a regular file is replaced: a FIFO named as the table is refused and stays a FIFO.
TEST(CliTable, AFifoIsNoTableFile) {
  const std::string fifo = (std::filesystem::temp_directory_path() / "orvanel_cli_table_fifo").string();
  std::filesystem::remove(fifo);
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const ProgramRun run = Cli({"table", "2027", "--out", fifo}, true);
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_NE(run.Output.find("is no regular file"), std::string::npos) << run.Output;
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));
  std::filesystem::remove(fifo);
}
