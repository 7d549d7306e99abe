// orvanel-cli series, apparent, riseset, parallactic and extremes.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_in_process.h"

namespace {

ProgramRun Cli(const std::vector<std::string>& arguments, bool withErrors = false) {
  return RunCliInProcess(arguments, withErrors);
}

std::vector<long double> Numbers(const std::string& line) {
  std::istringstream in(line);
  std::vector<long double> values;
  for (long double v; in >> v;) values.push_back(v);
  return values;
}

// Half a unit in the last printed digit of a reference value.
long double PrintedDigits(int decimals) { return 0.5L * std::pow(10.0L, -decimals) + 1e-12L; }

TEST(CliAstro2, RisesetPrintsRiseAndSetToTheSecond) {
  const ProgramRun june9 =
      Cli({"riseset", "2024-06-09T18:00:00Z", "--lat", "41.307", "--westlon", "73.144", "--offset", "0"});
  EXPECT_EQ(june9.ExitCode, 0);
  EXPECT_EQ(june9.Output, "2024-06-09T11:55:11Z 2024-06-09T02:59:49Z\n");
  // No rise on 21 June. The offset defaults to 0.
  const ProgramRun june21 = Cli({"riseset", "2024-06-21T18:00Z", "--lat", "41.307", "--westlon", "73.144"});
  EXPECT_EQ(june21.ExitCode, 0);
  EXPECT_EQ(june21.Output, "none 2024-06-21T08:23:31Z\n");
}

// Local times carry the offset they are in: the events of 23:43:42Z and 07:38:01Z
// read five hours earlier at -05:00; one hour east moves the rise past midnight,
// out of the day, and at +05:30 the day holds the rise of the day before.
TEST(CliAstro2, RisesetPrintsTheOffsetItUsed) {
  const struct {
    const char* Offset;
    const char* Output;
  } cases[] = {{"1", "none 2024-06-20T08:38:01+01:00\n"},
               {"-5", "2024-06-20T18:43:42-05:00 2024-06-20T02:38:01-05:00\n"},
               {"5.5", "2024-06-20T04:05:12+05:30 2024-06-20T13:08:01+05:30\n"}};
  for (const auto& c : cases)
    EXPECT_EQ(Cli({"riseset", "2024-06-20T18:00Z", "--lat", "41.307", "--westlon", "73.144", "--offset", c.Offset})
                  .Output,
              c.Output)
        << c.Offset;
}

// A day without an event says so (at 80 N in June 2024 the Moon never sets).
TEST(CliAstro2, RisesetPrintsNoneForAMissingEvent) {
  EXPECT_EQ(Cli({"riseset", "2024-06-09T04:00Z", "--lat", "80", "--westlon", "73.144"}).Output, "none none\n");
}

// At 65 S on 16 April 2024 the Moon shows for two hours only; an independent
// ephemeris has it rise at 09:19 and set at 11:26 UTC.
TEST(CliAstro2, RisesetFindsAShortAppearanceNearTheCircumpolarLimit) {
  const ProgramRun run = Cli({"riseset", "2024-04-16T01:00Z", "--lat", "-65", "--westlon", "-128.3262"});
  ASSERT_EQ(run.ExitCode, 0);
  ASSERT_EQ(run.Output.size(), 42u) << run.Output;
  EXPECT_EQ(run.Output.substr(0, 17), "2024-04-16T09:19:");
  EXPECT_EQ(run.Output.substr(21, 17), "2024-04-16T11:26:");
}

TEST(CliAstro2, RisesetRefusesBadInput) {
  EXPECT_EQ(Cli({"riseset", "2024-06-09T18:00:00Z", "--westlon", "73.144"}).ExitCode, 2);
  EXPECT_EQ(Cli({"riseset", "2024-06-09T18:00:00Z", "--lat", "north", "--westlon", "73.144"}).ExitCode, 2);
  EXPECT_EQ(Cli({"riseset", "yesterday", "--lat", "41", "--westlon", "73"}).ExitCode, 2);
}

TEST(CliAstro2, ParallacticPrintsTheObserversRotation) {
  const ProgramRun south = Cli({"parallactic", "2024-06-09T18:00:00Z", "--lat", "-33.9", "--lon", "151.2"});
  EXPECT_EQ(south.ExitCode, 0);
  const std::vector<long double> southAngle = Numbers(south.Output);
  ASSERT_EQ(southAngle.size(), 1u);
  EXPECT_NEAR(southAngle[0], 415.5755L, 1e-4L);  // the southern form, not reduced below 360
  const std::vector<long double> north =
      Numbers(Cli({"parallactic", "2024-06-09T09:36Z", "--lat", "41.307", "--lon", "-73.144"}).Output);
  ASSERT_EQ(north.size(), 1u);
  EXPECT_NEAR(north[0], -24.1642L, 1e-4L);
  // At the poles the rotation is its limit, 0 in the north and a full turn in the south.
  const std::vector<long double> northPole =
      Numbers(Cli({"parallactic", "2024-06-09T18:00Z", "--lat", "90", "--lon", "10"}).Output);
  ASSERT_EQ(northPole.size(), 1u);
  EXPECT_NEAR(northPole[0], 0, 1e-3L);
  const std::vector<long double> southPole =
      Numbers(Cli({"parallactic", "2024-06-09T18:00Z", "--lat", "-90", "--lon", "10"}).Output);
  ASSERT_EQ(southPole.size(), 1u);
  EXPECT_NEAR(southPole[0], 360, 1e-3L);
  EXPECT_EQ(Cli({"parallactic", "2024-06-09T18:00:00Z", "--lat", "95", "--lon", "0"}).ExitCode, 2);
  EXPECT_EQ(Cli({"parallactic", "2024-06-09T18:00:00Z", "--lat", "10"}).ExitCode, 2);
}

TEST(CliAstro2, SeriesAndApparentPrintTheLunarTheory) {
  const ProgramRun series = Cli({"series", "2000-01-01T12:00:00Z"});
  EXPECT_EQ(series.ExitCode, 0);
  const std::vector<long double> s = Numbers(series.Output);
  ASSERT_EQ(s.size(), 3u);
  EXPECT_NEAR(s[0], 223.3189449L, 1e-6L);
  EXPECT_NEAR(s[1], 5.1708646L, 1e-6L);
  EXPECT_NEAR(s[2], 402448.6532L, 1e-3L);
  // A day number names the same instant.
  EXPECT_EQ(Cli({"series", "45452.75"}).Output, Cli({"series", "2024-06-09T18:00Z"}).Output);

  const std::vector<long double> a = Numbers(Cli({"apparent", "2024-06-07T18:00Z"}).Output);
  ASSERT_EQ(a.size(), 3u);
  EXPECT_NEAR(a[0], 93.3724L, PrintedDigits(4));
  EXPECT_NEAR(a[1], 28.3757L, PrintedDigits(4));
  EXPECT_NEAR(a[2], 0.95777L, PrintedDigits(5));
  EXPECT_EQ(Cli({"apparent"}).ExitCode, 2);
}

TEST(CliAstro2, ExtremesPrintsTheHighestThenTheLowestHourOfTheYear) {
  const ProgramRun run = Cli({"extremes", "2024"});
  ASSERT_EQ(run.ExitCode, 0);
  const std::vector<std::string> lines = OutputLines(run.Output);
  ASSERT_EQ(lines.size(), 2u);
  for (const std::string& line : lines) {
    ASSERT_GT(line.size(), 21u) << line;
    EXPECT_EQ(line.substr(0, 5), "2024-") << line;
    EXPECT_EQ(line.substr(13, 8), ":00:00Z ") << line;  // whole hours
  }
  const long double highest = Numbers(lines[0].substr(21))[0], lowest = Numbers(lines[1].substr(21))[0];
  EXPECT_GT(highest, 76.5L);
  EXPECT_LT(highest, 77.5L);
  EXPECT_LT(lowest, -76.5L);
  EXPECT_GT(lowest, -77.5L);
  EXPECT_EQ(Cli({"extremes", "0"}).ExitCode, 2);
  EXPECT_EQ(Cli({"extremes", "2024.5"}).ExitCode, 2);
}

}  // namespace
