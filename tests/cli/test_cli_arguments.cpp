// Every numeric argument is checked against its range before it is converted: a value
// out of range, not finite or not a number ends orvanel-cli with status 2 and one
// line on stderr, whatever the command.
#include <gtest/gtest.h>

#include "support/program_runner.h"

namespace {

TEST(CliArguments, OutOfRangeNumbersAreRefusedWithOneLine) {
  const struct {
    std::vector<std::string> Args;
    std::string Message;
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
      {{"frame", "45292", "--view", "1e10"}, "orvanel-cli frame: --view must lie between 0 and 6: 1e10"},
      // A place's longitude, narrower than the longitudes the astronomy commands take.
      {{"navigate", "45292", "--lon", "200", "next"}, "orvanel-cli navigate: --lon must lie between -180 and 180: 200"},
      {{"phases", "1e300"}, "orvanel-cli phases: K must lie between -4947 and 24735: 1e300"},
      {{"phases", "2147483647"}, "orvanel-cli phases: K must lie between -4947 and 24735: 2147483647"},
      {{"extremes", "-2147483649"}, "orvanel-cli extremes: YEAR must lie between 1600 and 3999: -2147483649"},
      {{"extremes", "1599"}, "orvanel-cli extremes: YEAR must lie between 1600 and 3999: 1599"},
      {{"position", "1e30"}, "orvanel-cli position: INSTANT must lie between 1600-01-01T00:00:00Z and "
                              "3999-12-31T23:59:59Z: 1e30"},
      {{"sidereal", "-109571.5"}, "orvanel-cli sidereal: INSTANT must lie between 1600-01-01T00:00:00Z and "
                                   "3999-12-31T23:59:59Z: -109571.5"},
      {{"phases", "-4948"}, "orvanel-cli phases: K must lie between -4947 and 24735: -4948"},
      {{"altaz", "1599-12-31T23:00:00Z", "--lat", "41.3", "--lon", "-73.08"},
       "orvanel-cli altaz: INSTANT must lie between 1600-01-01T00:00:00Z and 3999-12-31T23:59:59Z: "
       "1599-12-31T23:00:00Z"},
      {{"hour", "4000-01-01T00:00Z"}, "orvanel-cli hour: INSTANT must lie between 1600-01-01T00:00:00Z and "
                                      "3999-12-31T23:59:59Z: 4000-01-01T00:00Z"},
      // Decimals only, with nothing around them.
      {{"phases", "0x10"}, "orvanel-cli phases: not a number for K: 0x10"},
      {{"phases", " 5"}, "orvanel-cli phases: not a number for K:  5"},
      {{"phases", "5 "}, "orvanel-cli phases: not a number for K: 5 "},
      {{"panel", "45292", "--lat", "+0x1p3"}, "orvanel-cli panel: not a number for --lat: +0x1p3"},
      {{"position", " 45292"}, "orvanel-cli position: not an instant (YYYY-MM-DDTHH:MM[:SS]Z or a day number):  45292"},
      // Fifty thousand digits once overflowed the stack.
      {{"phases", std::string(50000, '1')}, "orvanel-cli phases: not a number for K: " + std::string(50000, '1')},
  };
  for (const auto& c : cases) {
    const ProgramRun run = RunProgram(ORVANEL_CLI_PATH, c.Args, true);
    EXPECT_EQ(run.ExitCode, 2) << c.Message;
    EXPECT_EQ(run.Output, c.Message + "\n");  // nothing on stdout
  }
}

}  // namespace
