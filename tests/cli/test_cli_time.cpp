// orvanel-cli's grammar and its time commands, run as a user would run them.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/program_runner.h"

namespace {

ProgramRun Cli(const std::vector<std::string>& args, bool withErrors = false) {
  return RunProgram(ORVANEL_CLI_PATH, args, withErrors);
}

TEST(CliTime, PrintsHourNumbersRoundedHoursAndJulianDates) {
  EXPECT_EQ(Cli({"hour", "2024-03-10T04:59:00Z"}).Output, "1661\n");
  EXPECT_EQ(Cli({"hour", "2024-03-10T04:58Z"}).Output, "1660\n");
  EXPECT_EQ(Cli({"roundhour", "2025-12-31T23:30:00Z"}).Output, "2026-01-01T00:00:00Z\n");
  EXPECT_EQ(Cli({"roundhour", "45292.5104"}).Output, "2024-01-01T12:00:00Z\n");
  EXPECT_EQ(Cli({"jd", "36526.5"}).Output, "2451545 0\n");
}

TEST(CliTime, OffsetFollowsTheTzVariable) {
  const auto offset = [](const char* instant) {
    return RunProgram("env", {"TZ=America/New_York", ORVANEL_CLI_PATH, "offset", instant}).Output;
  };
  EXPECT_EQ(offset("2024-07-15T12:00Z"), "-4\n");
  EXPECT_EQ(offset("2024-01-15T12:00Z"), "-5\n");
}

// Zones that changed their standard offset: Lord Howe kept UTC+10:30 from March 1981,
// Kiritimati skipped 1994-12-31 moving from UTC-10 to UTC+14; the panel there has a
// rise and a set at the equator.
TEST(CliTime, OffsetsOfZonesThatChangedTheirStandardTime) {
  const auto run = [](const char* zone, const std::vector<std::string>& args) {
    std::vector<std::string> all{std::string("TZ=") + zone, ORVANEL_CLI_PATH};
    all.insert(all.end(), args.begin(), args.end());
    return RunProgram("env", all).Output;
  };
  EXPECT_EQ(run("Australia/Lord_Howe", {"offset", "1981-06-01T12:00:00Z"}), "10.5\n");
  EXPECT_EQ(run("Pacific/Kiritimati", {"offset", "1994-12-31T12:00:00Z"}), "14\n");
  const std::string panel = run("Pacific/Kiritimati", {"panel", "1994-12-31T12:00:00Z", "--lat", "1.87", "--lon", "-157.4"});
  EXPECT_EQ(panel.find("no rise"), std::string::npos) << panel;
  EXPECT_EQ(panel.find("no set"), std::string::npos) << panel;
}

TEST(CliTime, BadInputPrintsOneLineOnStderrAndExitsWith2) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"hour"}, {"hour", "yesterday"}, {"hour", "2024-02-30T00:00Z"},
        {"hour", "2024-01-01T00:00Z", "extra"}, {"roundhour", "nan"}, {"frobnicate"}}) {
    const ProgramRun run = Cli(args, true);
    EXPECT_EQ(run.ExitCode, 2) << args[0];
    EXPECT_EQ(std::count(run.Output.begin(), run.Output.end(), '\n'), 1) << run.Output;
  }
}

TEST(CliTime, HelpListsEveryCommand) {
  const ProgramRun run = Cli({"help"});
  EXPECT_EQ(run.ExitCode, 0);
  for (const char* command : {"hour INSTANT", "roundhour INSTANT", "jd INSTANT", "offset INSTANT", "nasa INSTANT",
                              "position INSTANT", "riseset INSTANT", "panel INSTANT", "render INSTANT"})
    EXPECT_NE(run.Output.find(command), std::string::npos) << command;
}

}  // namespace
