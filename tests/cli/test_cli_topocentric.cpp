// orvanel-cli topocentric: one line of six values with their decimals, taken from
// NASA's row where the year has one (so that they stay within the Moon's parallax
// of NASA's geocentric columns), and the refused places.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "cli/cli_in_process.h"

namespace {

ProgramRun Cli(const std::vector<std::string>& arguments, bool withErrors = false) {
  return RunCliInProcess(arguments, withErrors);
}

}  // namespace

TEST(CliTopocentric, PrintsSixValuesNearNasasGeocentricRow) {
  // NASA's row of 2024-01-01 00:00: Phase 78.03, Diam 1771.3, Elon 0.041, Elat -4.685, AxisA 20.699.
  const ProgramRun run = Cli({"topocentric", "2024-01-01T00:00Z", "--lat", "40.71", "--lon", "-74.01", "--elev", "10"});
  ASSERT_EQ(run.ExitCode, 0) << run.Output;
  std::istringstream in(run.Output);
  std::vector<std::string> fields;
  for (std::string f; in >> f;) fields.push_back(f);
  ASSERT_EQ(fields.size(), 6u) << run.Output;
  const int decimals[] = {4, 4, 4, 2, 4, 4};
  for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(fields[i].size() - fields[i].find('.') - 1, std::size_t(decimals[i]));
  // The observer is one Earth radius off the centre: at most 0.96 degree of parallax
  // on the sub-observer point, the axis angle turned by less than that, a disc
  // up to 1.8 % larger, a phase that moves by less than a point.
  EXPECT_NEAR(std::stod(fields[0]), 0.041, 0.96);
  EXPECT_NEAR(std::stod(fields[1]), -4.685, 0.96);
  EXPECT_NEAR(std::stod(fields[2]), 20.699, 0.5);
  EXPECT_NEAR(std::stod(fields[3]), 1771.3, 1771.3 * 0.018);
  EXPECT_NEAR(std::stod(fields[4]), 78.03, 1);
  EXPECT_NE(std::stod(fields[0]), 0.041);  // seen from the place, not the centre
}

TEST(CliTopocentric, RefusesAMissingOrImpossiblePlace) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"topocentric", "2024-01-01T00:00Z", "--lat", "40"},
        {"topocentric", "2024-01-01T00:00Z", "--lat", "91", "--lon", "0"},
        {"topocentric", "2024-01-01T00:00Z", "--lat", "10", "--lon", "0", "--elev", "1e6"},
        {"topocentric", "1599-12-31T00:00Z", "--lat", "10", "--lon", "0"}})
    EXPECT_EQ(Cli(args, true).ExitCode, 2) << args[2];
}
