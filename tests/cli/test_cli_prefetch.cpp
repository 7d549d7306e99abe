// orvanel-cli prefetch against a local server in NASA's place and a cache folder of
// the test's own (ORVANEL_NASA_SERVER, ORVANEL_CACHE_DIR).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>
#include <cstdlib>

#include "support/frame_server.h"
#include "support/program_runner.h"
#include "support/test_folders.h"

namespace {

class CliPrefetch : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = MakeTestFolder();
    ASSERT_TRUE(folder_->isValid());
    setenv("ORVANEL_NASA_SERVER", server_.BaseUrl().c_str(), 1);
    setenv("ORVANEL_CACHE_DIR", folder_->path().toUtf8().constData(), 1);
  }

  int CachedFiles() const { return FilesUnder(folder_->path()); }

  std::unique_ptr<QTemporaryDir> folder_;
  FrameServer server_{"moon.3700.jpg"};
};

ProgramRun Prefetch(const std::vector<std::string>& arguments) {
  std::vector<std::string> words{"prefetch"};
  words.insert(words.end(), arguments.begin(), arguments.end());
  return RunProgram(ORVANEL_CLI_PATH, words);
}

TEST_F(CliPrefetch, ADayIsFetchedOnceThenFoundInTheCache) {
  const ProgramRun first = Prefetch({"2024-06-01T00:00:00Z", "2024-06-02T00:00:00Z"});
  EXPECT_EQ(first.ExitCode, 0);
  EXPECT_EQ(first.Output, "fetched 25, already cached 0, failed 0\n");
  EXPECT_EQ(server_.Requests, 25);
  EXPECT_EQ(CachedFiles(), 25);
  const ProgramRun again = Prefetch({"2024-06-01T00:00:00Z", "2024-06-02T00:00:00Z"});
  EXPECT_EQ(again.Output, "fetched 0, already cached 25, failed 0\n");
  EXPECT_EQ(server_.Requests, 25);
}

// 2024-06-03 03:00 is hour 3699, frame moon.3700.jpg, which the server refuses.
TEST_F(CliPrefetch, AFailedFrameIsCountedAndNamed) {
  const ProgramRun run = RunProgram(ORVANEL_CLI_PATH, {"prefetch", "2024-06-03T02:00Z", "2024-06-03T04:00Z"}, true);
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_NE(run.Output.find("fetched 2, already cached 0, failed 1\n"), std::string::npos) << run.Output;
  EXPECT_NE(run.Output.find("moon.3700.jpg: HTTP 404"), std::string::npos) << run.Output;
  EXPECT_EQ(CachedFiles(), 2);
}

// A frame that could not be stored is a failure in the tally and the exit status.
TEST_F(CliPrefetch, AFrameNotStoredIsAFailure) {
  const QString blocked = folder_->filePath("cache");
  QFile file(blocked);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));  // a file where the cache's folder should be
  file.close();
  setenv("ORVANEL_CACHE_DIR", blocked.toUtf8().constData(), 1);
  const ProgramRun run = Prefetch({"2024-06-01T00:00:00Z", "2024-06-01T02:00:00Z"});
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_EQ(run.Output, "fetched 0, already cached 0, failed 3\n");
}

// A range whose frames may need more than the cache's cap is refused before any
// request, naming the room it needs (49 frames of 730 x 730 against 64 MiB).
TEST_F(CliPrefetch, ARangeOverTheCapIsRefusedUpFront) {
  const auto config = MakeTestFolder();
  QDir().mkpath(config->filePath("Quenhalse"));
  QFile ini(config->filePath("Quenhalse/Orvanel.ini"));
  ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
  ini.write("[SETTINGS]\nFrameCacheMB=64\n");
  ini.close();
  setenv("XDG_CONFIG_HOME", config->path().toUtf8().constData(), 1);
  const ProgramRun run =
      RunProgram(ORVANEL_CLI_PATH, {"prefetch", "2024-06-01T00:00:00Z", "2024-06-03T00:00:00Z"}, true);
  unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(run.ExitCode, 2);
  EXPECT_EQ(run.Output, "orvanel-cli prefetch: the 49 frames need up to 75 MiB, more than the frame cache's cap of "
                        "64 MiB (FrameCacheMB)\n");
  EXPECT_EQ(server_.Requests, 0);
}

// A FIFO in the settings file's place, under a home of the test's own, is passed over
// with the default cap: the prefetch neither waits on it nor fails, and it stays a FIFO.
// `timeout` ends a run that blocks (status 124).
TEST_F(CliPrefetch, AFifoInPlaceOfTheSettingsIsPassedOver) {
  const auto home = MakeTestFolder();
  ASSERT_TRUE(QDir().mkpath(home->filePath("config/Quenhalse")));
  const QString fifo = home->filePath("config/Quenhalse/Orvanel.ini");
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  const ProgramRun run = RunProgram(
      "env", {"HOME=" + home->path().toStdString(), "XDG_CONFIG_HOME=" + home->filePath("config").toStdString(),
              "timeout", "-k", "5", "60", ORVANEL_CLI_PATH, "prefetch", "2024-06-01T00:00Z", "2024-06-01T02:00Z"});
  EXPECT_EQ(run.ExitCode, 0);
  EXPECT_EQ(run.Output, "fetched 3, already cached 0, failed 0\n");
  EXPECT_EQ(QFileInfo(fifo).isFile(), false);
  EXPECT_TRUE(QFileInfo::exists(fifo));
}

// Where the libcurl found first cannot be loaded (an empty file) or lacks an option
// the download needs (one older than the program needs), every frame fails with the
// reason and nothing reaches the server.
TEST_F(CliPrefetch, WithoutAUsableLibcurlEveryFrameFailsWithTheReason) {
  const auto empty = MakeTestFolder();
  QFile stub(empty->filePath("libcurl.so.4"));
  ASSERT_TRUE(stub.open(QIODevice::WriteOnly));
  stub.close();
  const struct {
    std::string Folder;
    const char* Reason;
  } cases[] = {
      {empty->path().toStdString(), ": cannot load libcurl.so.4: "},
      {ORVANEL_OLD_LIBCURL_DIR, ": libcurl refuses a setting the download needs: An unknown option was passed in"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Folder);
    const ProgramRun run = RunProgram(
        "env", {"LD_LIBRARY_PATH=" + c.Folder, ORVANEL_CLI_PATH, "prefetch", "2024-06-01T00:00Z", "2024-06-01T02:00Z"},
        true);
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_NE(run.Output.find("fetched 0, already cached 0, failed 3\n"), std::string::npos) << run.Output;
    EXPECT_NE(run.Output.find(c.Reason), std::string::npos) << run.Output;
  }
  EXPECT_EQ(server_.Requests, 0);
  EXPECT_EQ(CachedFiles(), 0);
}

TEST(CliPrefetchInput, BadRangesAndOptionsAreRefused) {
  for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
           {"2024-06-02T00:00Z", "2024-06-01T00:00Z"},
           {"2023-06-01T00:00Z", "2024-06-01T00:00Z"},  // NASA has no frames for 2023
           {"2024-06-01T00:00Z", "2024-06-01T05:00Z", "--view", "5"},  // the drawn Moon
           {"2024-06-01T00:00Z", "2024-06-01T05:00Z", "--view", "7"},
           {"2024-06-01T00:00Z", "2024-06-01T05:00Z", "--lat", "95"}})
    EXPECT_EQ(Prefetch(bad).ExitCode, 2) << bad[0];
}

}  // namespace
