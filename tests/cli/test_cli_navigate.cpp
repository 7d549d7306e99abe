// orvanel-cli navigate: the show session driven without a window, against a local
// server in NASA's place (every frame served) and a cache folder of the test's own.
#include <gtest/gtest.h>

#include <cstdlib>

#include "support/frame_server.h"
#include "support/program_runner.h"
#include "support/test_folders.h"

namespace {

class CliNavigate : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = MakeTestFolder();
    setenv("ORVANEL_NASA_SERVER", server_.BaseUrl().c_str(), 1);
    setenv("ORVANEL_CACHE_DIR", folder_->path().toUtf8().constData(), 1);
  }
  static std::vector<std::string> Navigate(const std::vector<std::string>& arguments) {
    std::vector<std::string> words{"navigate"};
    words.insert(words.end(), arguments.begin(), arguments.end());
    const ProgramRun run = RunProgram(ORVANEL_CLI_PATH, words, true);
    EXPECT_EQ(run.ExitCode, 0) << run.Output;
    return OutputLines(run.Output);
  }

  std::unique_ptr<QTemporaryDir> folder_;
  FrameServer server_{"none"};
};

constexpr const char* k2025Moon = "/vis/a000000/a005400/a005415/frames/730x730_1x1_30p/";

// Each line is the hour shown after an intent and the frames it shows. The full moon
// of 2025-01-13 22:27 UTC is hour 310 of 2025, in 2025's folder; the full-moon cursor
// makes the jumps go one lunation at a time and back.
TEST_F(CliNavigate, EachIntentPrintsTheHourShownAndItsFrames) {
  EXPECT_EQ(Navigate({"2024-12-20T00:00:00Z", "full+", "full+", "full-", "next", "day-"}),
            (std::vector<std::string>{
                std::string("2025-01-13T22:00:00Z ") + k2025Moon + "moon.0311.jpg",
                std::string("2025-02-12T14:00:00Z ") + k2025Moon + "moon.1023.jpg",
                std::string("2025-01-13T22:00:00Z ") + k2025Moon + "moon.0311.jpg",
                std::string("2025-01-14T00:00:00Z ") + k2025Moon + "moon.0313.jpg",
                std::string("2025-01-13T00:00:00Z ") + k2025Moon + "moon.0289.jpg",
            }));
  EXPECT_EQ(Navigate({"2024-06-09T18:00:00Z", "--view", "2", "--step", "3", "goto:1700-03-01T05:00Z", "prev"}),
            (std::vector<std::string>{"1700-03-01T05:00:00Z drawn", "1700-03-01T02:00:00Z drawn"}));
  const std::vector<std::string> orbit = Navigate({"2024-06-09T18:00:00Z", "--view", "2", "next"});
  ASSERT_EQ(orbit.size(), 1u);
  EXPECT_EQ(orbit[0], "2024-06-09T20:00:00Z /vis/a000000/a005100/a005187/frames/730x730_1x1_30p/moon.3861.jpg "
                      "/vis/a000000/a005100/a005187/frames/850x850_1x1_30p/orbit.3861.tif");
}

// Stopping an animation, forwards or in reverse, leaves the hour it showed: the next
// step goes on from there.
TEST_F(CliNavigate, AStoppedAnimationKeepsTheHourItShowed) {
  EXPECT_EQ(Navigate({"2024-06-09T18:00:00Z", "reverse", "animate:3", "stop", "next"}),
            (std::vector<std::string>{
                "2024-06-09T18:00:00Z /vis/a000000/a005100/a005187/frames/730x730_1x1_30p/moon.3859.jpg",
                "2024-06-09T12:00:00Z /vis/a000000/a005100/a005187/frames/730x730_1x1_30p/moon.3853.jpg",
                "2024-06-09T12:00:00Z /vis/a000000/a005100/a005187/frames/730x730_1x1_30p/moon.3853.jpg",
                "2024-06-09T14:00:00Z /vis/a000000/a005100/a005187/frames/730x730_1x1_30p/moon.3855.jpg",
            }));
  const std::vector<std::string> forward = Navigate({"2024-06-09T18:00:00Z", "animate:2", "stop", "prev"});
  ASSERT_EQ(forward.size(), 3u);
  EXPECT_EQ(forward[1].substr(0, 20), "2024-06-09T22:00:00Z");
  EXPECT_EQ(forward[2].substr(0, 20), "2024-06-09T20:00:00Z");
}

// In the test's server and cache folder too: the first hour is shown before the bad
// intent is read, so its frame would otherwise come from NASA into the user's cache.
TEST_F(CliNavigate, BadIntentsAndOptionsAreRefused) {
  for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
           {"navigate", "2024-06-09T18:00Z", "sideways"},
           {"navigate", "2024-06-09T18:00Z", "animate:0"},
           {"navigate", "2024-06-09T18:00Z", "goto:tomorrow"},
           {"navigate", "2024-06-09T18:00Z", "--step", "25", "next"},
           {"navigate", "2024-06-09T18:00Z", "--view", "7", "next"},
           {"navigate", "2024-06-09T18:00Z"}})
    EXPECT_EQ(RunProgram(ORVANEL_CLI_PATH, bad).ExitCode, 2) << bad.back();
}

}  // namespace
