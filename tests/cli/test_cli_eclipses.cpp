// orvanel-cli eclipses: the line format, and the values against NASA's for 2026.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "cli/cli_in_process.h"

namespace {

ProgramRun Cli(const std::vector<std::string>& arguments) { return RunCliInProcess(arguments); }

}  // namespace

TEST(CliEclipses, PrintsOneTabSeparatedLinePerEclipseOfTheSpan) {
  const ProgramRun run = Cli({"eclipses", "2026-01-01T00:00:00Z", "2027-01-01T00:00:00Z"});
  ASSERT_EQ(run.ExitCode, 0);
  const std::vector<std::string> lines = OutputLines(run.Output);
  ASSERT_EQ(lines.size(), 2u);
  const std::string instant = R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ)";
  const std::regex line("(penumbral|partial|total)\t(" + instant + ")\t(-?\\d\\.\\d{4})\t(\\d\\.\\d{4})(\t(" + instant +
                        "|-)){6}");
  for (const std::string& l : lines) EXPECT_TRUE(std::regex_match(l, line)) << l;
  // NASA: total, greatest 11:33:39 UT, umbral magnitude 1.1507; partial, greatest 04:12:52 UT, 0.9299.
  // The minute and the magnitude's second decimal are what a wrong eclipse or shadow would change.
  EXPECT_EQ(lines[0].rfind("total\t2026-03-03T11:33:", 0), 0u) << lines[0];
  EXPECT_NE(lines[0].find("Z\t1.15"), std::string::npos) << lines[0];
  EXPECT_EQ(lines[1].rfind("partial\t2026-08-28T04:1", 0), 0u) << lines[1];
  EXPECT_NE(lines[1].find("\t0.93"), std::string::npos) << lines[1];
  EXPECT_NE(lines[1].find("\t-\t-\t"), std::string::npos) << lines[1];  // no U2, U3
}

// The span's end is not included: the end of the covered range closes the last year.
TEST(CliEclipses, ASpanMayEndAtTheEndOfTheRange) {
  const ProgramRun run = Cli({"eclipses", "3999-08-01T00:00Z", "4000-01-01T00:00Z"});
  ASSERT_EQ(run.ExitCode, 0) << run.Output;
  const std::vector<std::string> lines = OutputLines(run.Output);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].rfind("penumbral\t3999-08-10T", 0), 0u) << lines[0];
}

TEST(CliEclipses, RefusesAnEmptyOrUncoveredSpan) {
  EXPECT_EQ(Cli({"eclipses", "2026-01-01T00:00Z", "2025-01-01T00:00Z"}).ExitCode, 2);
  EXPECT_EQ(Cli({"eclipses", "1599-01-01T00:00Z", "1601-01-01T00:00Z"}).ExitCode, 2);
  EXPECT_EQ(Cli({"eclipses", "3999-01-01T00:00Z", "4000-01-01T00:00:01Z"}).ExitCode, 2);
  EXPECT_EQ(Cli({"eclipses", "2026-01-01T00:00Z"}).ExitCode, 2);
}
