// orvanel-cli nasa and frame.
#include <gtest/gtest.h>

#include "cli/cli_in_process.h"

namespace {

ProgramRun Cli(const std::vector<std::string>& arguments) { return RunCliInProcess(arguments); }

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// NASA's check rows, printed with NASA's decimals.
TEST(CliNasa, PrintsTheRowOfTheHour) {
  const ProgramRun last = Cli({"nasa", "2025-12-31T23:30:00Z"});
  EXPECT_EQ(last.ExitCode, 0);
  EXPECT_EQ(last.Output,
            "46022.95833333 91.12 11.887 1984.8 361108 4.1894 26.2210 33.025 -1.347 -1.356 -6.550 349.663\n");
  const ProgramRun first = Cli({"nasa", "2024-01-01T00:00Z"});
  EXPECT_EQ(first.Output,
            "45292.00000000 78.03 19.019 1771.3 404634 10.5867 12.7508 -55.867 -1.554 0.041 -4.685 20.699\n");
  // A day number names the same instant; 58 min 45 s past 23:00 on 31 Dec 2024 is 2025's first hour.
  EXPECT_EQ(Cli({"nasa", "45658"}).Output, Cli({"nasa", "2024-12-31T23:59:00Z"}).Output);
  EXPECT_EQ(Cli({"nasa", "45658"}).Output,
            "45658.00000000 1.47 1.065 1877.5 381744 19.7533 -25.9205 162.189 -1.520 -4.627 6.051 350.387\n");
  // 2026: "08 Dec 2026 20:00 UT   0.21  29.540  1772.4  404377  16.8117  -27.1386 ..."
  EXPECT_EQ(Cli({"nasa", "2026-12-08T20:00:00Z"}).Output,
            "46364.83333333 0.21 29.540 1772.4 404377 16.8117 -27.1386 -175.346 -1.438 2.470 6.152 7.572\n");
}

TEST(CliFrame, PrintsTheScreenAndExportFrameUrls) {
  const ProgramRun south = Cli({"frame", "2024-06-09T18:00:00Z", "--lat", "-33.9"});
  ASSERT_EQ(south.ExitCode, 0);
  const std::vector<std::string> lines = OutputLines(south.Output);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].rfind("https://", 0), 0u);
  EXPECT_TRUE(EndsWith(lines[0], "/vis/a000000/a005100/a005188/frames/730x730_1x1_30p/moon.3859.jpg")) << lines[0];
  EXPECT_TRUE(EndsWith(lines[1], "/vis/a000000/a005100/a005188/frames/5760x3240_16x9_30p/plain/moon.3859.tif"))
      << lines[1];

  const std::vector<std::string> north = OutputLines(Cli({"frame", "2025-03-01T05:00Z", "--view", "4"}).Output);
  ASSERT_EQ(north.size(), 2u);
  EXPECT_TRUE(EndsWith(north[0], "/vis/a000000/a005400/a005415/frames/730x730_1x1_30p/moon.1422.jpg")) << north[0];
  EXPECT_TRUE(EndsWith(north[1], "/vis/a000000/a005400/a005415/frames/1080x1920_9x16_30p/v1/comp.1422.tif"))
      << north[1];

  const std::vector<std::string> y2026 = OutputLines(Cli({"frame", "2026-12-08T20:00:00Z", "--lat", "41"}).Output);
  ASSERT_EQ(y2026.size(), 2u);
  EXPECT_TRUE(EndsWith(y2026[0], "/vis/a000000/a005500/a005587/frames/730x730_1x1_30p/moon.8205.jpg")) << y2026[0];
  EXPECT_TRUE(EndsWith(y2026[1], "/vis/a000000/a005500/a005587/frames/5760x3240_16x9_30p/plain/moon.8205.tif"))
      << y2026[1];
}

TEST(CliFrame, RefusesBadInput) {
  EXPECT_EQ(Cli({"frame", "yesterday"}).ExitCode, 2);
  EXPECT_EQ(Cli({"frame", "2024-06-09T18:00Z", "--view", "7"}).ExitCode, 2);  // one past "Moon from here"
  EXPECT_EQ(Cli({"frame", "2027-06-09T18:00Z"}).ExitCode, 2);  // NASA has no frames for 2027
  EXPECT_EQ(Cli({"nasa", "2027-06-09T18:00Z"}).ExitCode, 2);
  EXPECT_EQ(Cli({"frame", "2024-06-09T18:00Z", "--lat", "north"}).ExitCode, 2);
  EXPECT_EQ(Cli({"frame", "2024-06-09T18:00Z", "--lat", "91"}).ExitCode, 2);
  EXPECT_EQ(Cli({"nasa"}).ExitCode, 2);
  EXPECT_EQ(Cli({"nasa", "2024-13-01T00:00Z"}).ExitCode, 2);
}

}  // namespace
