// Every numeric argument is checked against its range before it is converted: a value
// out of range, not finite or not a number ends orvanel-cli with status 2 and one
// line on stderr, whatever the command.
#include <gtest/gtest.h>

#include "support/program_runner.h"

namespace {

TEST(CliArguments, OutOfRangeNumbersAreRefusedWithOneLine) {
  const struct {
    std::vector<std::string> Args;
    const char* Message;
  } cases[] = {
      // 1e30 hours used to come back as a moonrise equal to the moonset.
      {{"riseset", "45000", "--lat", "0", "--westlon", "0", "--offset", "1e30"},
       "orvanel-cli riseset: --offset must lie between -24 and 24: 1e30"},
      {{"riseset", "45000", "--lat", "91", "--westlon", "0"},
       "orvanel-cli riseset: --lat must lie between -90 and 90: 91"},
      // Finite as a long double, infinite as a double.
      {{"riseset", "45000", "--lat", "0", "--westlon", "1e400"},
       "orvanel-cli riseset: --westlon must lie between -360 and 360: 1e400"},
      {{"riseset", "45000", "--lat", "0", "--westlon", "0", "--offset", "nan"},
       "orvanel-cli riseset: not a number for --offset: nan"},
      {{"parallactic", "45000", "--lat", "0", "--lon", "-inf"}, "orvanel-cli parallactic: not a number for --lon: -inf"},
      {{"altaz", "45292", "--lat", "1e5000", "--lon", "0"}, "orvanel-cli altaz: not a number for --lat: 1e5000"},
      {{"panel", "45292", "--lon", "-360.5"}, "orvanel-cli panel: --lon must lie between -360 and 360: -360.5"},
      {{"frame", "45292", "--view", "1e10"}, "orvanel-cli frame: not a whole number for --view: 1e10"},
      {{"phases", "1e300"}, "orvanel-cli phases: not a whole number for K: 1e300"},
      {{"extremes", "-2147483649"}, "orvanel-cli extremes: not a whole number for YEAR: -2147483649"},
      {{"position", "1e30"}, "orvanel-cli position: not an instant (YYYY-MM-DDTHH:MM[:SS]Z or a day number): 1e30"},
      {{"sidereal", "0.5"}, "orvanel-cli sidereal: not an instant (YYYY-MM-DDTHH:MM[:SS]Z or a day number): 0.5"},
  };
  for (const auto& c : cases) {
    const ProgramRun run = RunProgram(ORVANEL_CLI_PATH, c.Args, true);
    EXPECT_EQ(run.ExitCode, 2) << c.Message;
    EXPECT_EQ(run.Output, std::string(c.Message) + "\n");  // nothing on stdout
  }
}

}  // namespace
