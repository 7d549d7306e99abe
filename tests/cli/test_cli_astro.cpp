// orvanel-cli's astronomy commands on their command lines: output fields, their
// order and units, and exit status 2 with a message for bad input.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_in_process.h"

namespace {

// A command line that has no quotes: its output, then its messages.
ProgramRun RunCli(const std::string& arguments) {
  std::istringstream in(arguments);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return RunCliInProcess(words, true);
}

// The numbers of a one-line output.
std::vector<double> Numbers(const std::string& text) {
  std::istringstream in(text);
  std::vector<double> values;
  for (double v; in >> v;) values.push_back(v);
  return values;
}

constexpr double Digits(int decimals) { return 0.5 * std::pow(10.0, -decimals); }

}  // namespace

TEST(CliAstro, PositionPrintsTheSevenFieldsInOrder) {
  const ProgramRun run = RunCli("position 45292");
  ASSERT_EQ(run.ExitCode, 0) << run.Output;
  const std::vector<double> v = Numbers(run.Output);
  ASSERT_EQ(v.size(), 7u) << run.Output;
  EXPECT_NEAR(v[0], 159.111805, Digits(6));   // right ascension, degrees
  EXPECT_NEAR(v[1], 12.630869, Digits(6));    // declination, degrees
  EXPECT_NEAR(v[2], 0.903095, Digits(6));     // horizontal parallax, degrees
  EXPECT_NEAR(v[3], 0.245993, Digits(6));     // semi-diameter, degrees
  EXPECT_NEAR(v[4], 404669.936, Digits(3));   // distance, km
  EXPECT_NEAR(v[5], 2.7224497, Digits(7));    // ecliptic longitude, radians
  EXPECT_NEAR(v[6], 0.0622719, Digits(7));    // ecliptic latitude, radians
  EXPECT_EQ(run.Output.rfind("159.111805", 0), 0u) << run.Output;
}

TEST(CliAstro, PositionAcceptsAnIsoInstant) {
  const ProgramRun run = RunCli("position 2024-01-01T00:00Z");
  ASSERT_EQ(run.ExitCode, 0) << run.Output;
  EXPECT_EQ(run.Output, RunCli("position 45292").Output);
}

TEST(CliAstro, NutationBothModels) {
  const ProgramRun a = RunCli("nutation 31877 1980");
  ASSERT_EQ(a.ExitCode, 0) << a.Output;
  const std::vector<double> v = Numbers(a.Output);
  ASSERT_EQ(v.size(), 2u);
  EXPECT_NEAR(v[0], -3.78782, Digits(5));
  EXPECT_NEAR(v[1], 9.44247, Digits(5));
  const ProgramRun b = RunCli("nutation 2006-01-01T00:00:00Z 2000a");
  ASSERT_EQ(b.ExitCode, 0) << b.Output;
  const std::vector<double> w = Numbers(b.Output);
  ASSERT_EQ(w.size(), 2u);
  EXPECT_NEAR(w[0], -1.986518, Digits(6));
  EXPECT_NEAR(w[1], 8.381032, Digits(6));
}

TEST(CliAstro, SiderealPrintsRotationMeanAndBothApparentTimes) {
  const ProgramRun run = RunCli("sidereal 31877");
  ASSERT_EQ(run.ExitCode, 0) << run.Output;
  const std::vector<double> v = Numbers(run.Output);
  ASSERT_EQ(v.size(), 4u);
  EXPECT_NEAR(v[1], 197.693209, Digits(6));
  // Apparent = mean + equation of the equinoxes (-0.231677 s and -0.231257 s of time).
  EXPECT_NEAR(v[2] - v[1], -0.231677 / 240, 1e-8);
  EXPECT_NEAR(v[3] - v[1], -0.231257 / 240, 1e-8);
  const ProgramRun j2000 = RunCli("sidereal 36526.5");
  const std::vector<double> w = Numbers(j2000.Output);
  ASSERT_EQ(w.size(), 4u);
  EXPECT_NEAR(w[0], 280.46061837504, Digits(11));
  EXPECT_NEAR(w[1], 280.46062240448, Digits(11));
  // Late in the covered range (3999-12-31 12:00) the angles are still angles of one turn.
  const std::vector<double> late = Numbers(RunCli("sidereal 767010.5").Output);
  ASSERT_EQ(late.size(), 4u);
  for (const double angle : late) {
    EXPECT_GE(angle, 0);
    EXPECT_LT(angle, 360);
  }
}

TEST(CliAstro, AltAzOfTheMoonForAnObserver) {
  const ProgramRun run = RunCli("altaz 45292.25 --lat 41.2979 --lon -73.0756");
  ASSERT_EQ(run.ExitCode, 0) << run.Output;
  const std::vector<double> v = Numbers(run.Output);
  ASSERT_EQ(v.size(), 2u);
  EXPECT_GT(v[0], -90.0);
  EXPECT_LT(v[0], 90.0);
  EXPECT_GE(v[1], 0.0);
  EXPECT_LT(v[1], 360.0);
  // Across the globe at the same instant the Moon stands on the other side.
  const std::vector<double> w = Numbers(RunCli("altaz 45292.25 --lat -41.2979 --lon 106.9244").Output);
  ASSERT_EQ(w.size(), 2u);
  EXPECT_NEAR(w[0], -v[0], 2.0);  // parallax lowers both by up to a degree
}

TEST(CliAstro, PhasesOfALunation) {
  const ProgramRun run = RunCli("phases 298");
  ASSERT_EQ(run.ExitCode, 0) << run.Output;
  const std::vector<double> v = Numbers(run.Output);
  ASSERT_EQ(v.size(), 4u);
  EXPECT_NEAR(v[1], 2460357.126375, Digits(6));
  EXPECT_NEAR(v[3], 2460373.142299, Digits(6));
  EXPECT_LT(v[0], v[1]);
  EXPECT_LT(v[1], v[2]);
  EXPECT_LT(v[2], v[3]);
  EXPECT_NEAR(Numbers(RunCli("phases 297").Output).at(2), 2460335.246586, Digits(6));
}

TEST(CliAstro, FullMoonNextAndPrevious) {
  EXPECT_EQ(RunCli("fullmoon next 2024-01-20T00:00:00Z").Output, "2024-01-25T17:55:05Z\n");
  EXPECT_EQ(RunCli("fullmoon next 2024-01-25T12:00:00Z").Output, "2024-01-25T17:55:05Z\n");
  EXPECT_EQ(RunCli("fullmoon prev 2024-01-25T20:00:00Z").Output, "2023-12-27T00:34:16Z\n");
  EXPECT_EQ(RunCli("fullmoon prev 2024-01-26T00:00:00Z").Output, "2024-01-25T17:55:05Z\n");
  EXPECT_EQ(RunCli("fullmoon next 2025-12-31T00:00:00Z").Output, "2026-01-03T10:04:07Z\n");
}

TEST(CliAstro, BadInputExitsWithStatusTwoAndAMessage) {
  for (const char* args : {"nutation 45292 1990", "nutation 45292", "position", "position soon",
                           "position 2024-02-30T00:00Z", "altaz 45292", "altaz 45292 --lat 91 --lon 0",
                           "altaz 45292 --lat 10 --lon 200", "altaz 45292 --lat x --lon 0",
                           "phases 297.5", "phases", "fullmoon sideways 45292",
                           "fullmoon next 9000-01-01T00:00Z", "sidereal 45292 45293"}) {
    const ProgramRun run = RunCli(args);
    EXPECT_EQ(run.ExitCode, 2) << args << ": " << run.Output;
    EXPECT_FALSE(run.Output.empty()) << args;
  }
}
