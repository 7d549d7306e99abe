// The batch of frames against a local server that counts requests and refuses one
// hour: the tallies with the failure, a second run served from the cache, and a
// cancel that stops the batch early.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <atomic>

#include "astro/time_scales.h"
#include "nasa/frame_batch.h"
#include "support/file_size_limit.h"
#include "support/frame_server.h"
#include "support/test_folders.h"

namespace {

const long double kFrom = EncodeDateTimeOrZero(2024, 6, 3, 0, 0, 0, 0);
const long double kDay = 1.0L;
constexpr char kRefused[] = "moon.3700.jpg";  // 2024-06-03 03:00, hour 3699

class FrameBatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = MakeTestFolder();
    ASSERT_TRUE(folder_->isValid());
  }

  std::vector<std::string> Urls(long double days) const {
    return HourlyFrameUrls(MakeNasaSite(server_.BaseUrl(), folder_->path().toStdString()), {kScreenFrameKey},
                           kFrom, kFrom + days, 41.3L);
  }

  FrameBatchTally Run(const std::vector<std::string>& urls, const FrameBatchProgress& progress = {}) {
    return FetchFrameBatch(cache_, urls, progress, cancel_);
  }

  std::unique_ptr<QTemporaryDir> folder_;
  std::atomic<bool> cancel_{false};
  FrameServer server_{kRefused};
  Downloader fetch_;
  const std::unique_ptr<QTemporaryDir> cacheDir_ = MakeTestFolder();
  FrameCache cache_{cacheDir_->path(), fetch_};
};

TEST_F(FrameBatchTest, CountsEachFileOnceAndASecondRunAsksNothing) {
  const std::vector<std::string> urls = Urls(kDay);
  ASSERT_EQ(urls.size(), 25u);
  int calls = 0;
  int lastDone = 0;
  const FrameBatchTally first = Run(urls, [&](const FrameBatchStep& s) {
    ++calls;
    EXPECT_EQ(s.SoFar.Done(), lastDone + 1);  // one report per file, never two at once
    EXPECT_EQ(s.Total, 25);
    lastDone = s.SoFar.Done();
  });
  EXPECT_EQ(calls, 25);
  EXPECT_EQ(first.Fetched, 24);
  EXPECT_EQ(first.Failed, 1);
  EXPECT_EQ(first.Cached, 0);
  EXPECT_EQ(first.Bytes, 24 * server_.Frame.size());
  EXPECT_EQ(server_.Requests, 25);
  EXPECT_TRUE(QFileInfo::exists(cache_.PathOf(urls.front())));

  const FrameBatchTally again = Run(urls);
  EXPECT_EQ(again.Cached, 24);
  EXPECT_EQ(again.Fetched, 0);
  EXPECT_EQ(again.Bytes, 0);
  EXPECT_EQ(server_.Requests, 26) << "only the refused frame is asked for again";
}

TEST_F(FrameBatchTest, ACancelStartsNoFurtherFile) {
  constexpr int kBeforeCancel = 3;
  const FrameBatchTally t = Run(Urls(7 * kDay), [&](const FrameBatchStep& s) {
    if (s.SoFar.Done() == kBeforeCancel) cancel_ = true;
  });
  // The transfers running when the flag was set are abandoned and nothing starts after.
  EXPECT_GE(t.Done(), kBeforeCancel);
  EXPECT_LT(t.Done(), kBeforeCancel + kPrefetchRequests);
  EXPECT_LE(server_.Requests, kBeforeCancel + kPrefetchRequests);
}

// A disk without room: the first file the cache cannot write ends the batch, so the
// rest is neither downloaded nor counted as failed one by one.
TEST_F(FrameBatchTest, AFileTheCacheCannotWriteEndsTheBatch) {
  const std::vector<std::string> week = Urls(7 * kDay);
  const std::vector<std::string> urls(week.begin() + 4, week.end());  // after the refused hour
  const FileSizeLimit full(100);
  const FrameBatchTally t = Run(urls);
  EXPECT_EQ(t.Fetched + t.Cached, 0);
  EXPECT_GE(t.Failed, 1);
  EXPECT_LE(t.Failed, kPrefetchRequests);
  EXPECT_EQ(t.NotTried, static_cast<int>(urls.size()) - t.Failed);
  EXPECT_LE(server_.Requests, kPrefetchRequests);
  EXPECT_EQ(SummaryOf(t), "fetched 0, already cached 0, failed " + std::to_string(t.Failed) + ", " +
                              std::to_string(t.NotTried) + " not tried");
}

}  // namespace
