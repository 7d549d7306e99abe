// Every download ends: a trickling server runs into the time limit, the caller can
// cancel, an endless body stops at the size cap with about the cap in memory, and a
// large file goes to disk without passing through memory. The limits are shortened
// so that each case takes about a second at most.
#include <gtest/gtest.h>

#include <QFile>
#include <atomic>
#include <chrono>
#include <future>

#include "nasa/body_buffer.h"
#include "nasa/downloader.h"
#include "support/local_http_server.h"
#include "support/test_folders.h"
#include "support/test_signal.h"

namespace {

using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;

constexpr long long kTrickleLength = 1'000'000;  // at 1,500 B/s: 11 minutes

// A body that differs at every offset, so a misplaced piece shows.
QByteArray Pattern(qsizetype size) {
  QByteArray bytes(size, Qt::Uninitialized);
  for (qsizetype i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 131 + i / 251) & 0xFF);
  return bytes;
}

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

class DownloadLimitsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = MakeTestFolder();
    ASSERT_TRUE(folder_->isValid());
    server_ = std::make_unique<LocalHttpServer>([this](httplib::Server& s) { Routes(s); });
  }
  void TearDown() override {
    stop_.Raise();
    server_.reset();
  }

  // 150 bytes every 100 ms, about 1,500 B/s, until the client leaves or the test ends.
  bool Trickle(httplib::DataSink& sink) {
    const std::string piece(150, 't');
    return sink.write(piece.data(), piece.size()) && !stop_.Wait(std::chrono::milliseconds(100));
  }

  void Routes(httplib::Server& s) {
    s.Get("/trickle", [this](const httplib::Request&, httplib::Response& r) {
      r.set_content_provider(kTrickleLength, "application/octet-stream",
                             [this](size_t, size_t, httplib::DataSink& sink) { return Trickle(sink); });
    });
    s.Get("/trickle-chunked", [this](const httplib::Request&, httplib::Response& r) {
      r.set_chunked_content_provider("application/octet-stream",
                                     [this](size_t, httplib::DataSink& sink) { return Trickle(sink); });
    });
    // 100 bytes, then nothing until the client leaves or the test ends.
    s.Get("/stall", [this](const httplib::Request&, httplib::Response& r) {
      r.set_content_provider(100000, "application/octet-stream", [this](size_t, size_t, httplib::DataSink& sink) {
        sink.write(std::string(100, 's').data(), 100);
        stop_.Wait(std::chrono::seconds(30));
        return false;
      });
    });
    s.Get("/endless", [](const httplib::Request&, httplib::Response& r) {
      r.set_chunked_content_provider("application/octet-stream", [](size_t, httplib::DataSink& sink) {
        const std::string piece(64 << 10, 'e');
        return sink.write(piece.data(), piece.size());
      });
    });
    s.Get("/large", [this](const httplib::Request&, httplib::Response& r) {
      r.set_content_provider(static_cast<size_t>(large_.size()), "application/octet-stream",
                             [this](size_t offset, size_t length, httplib::DataSink& sink) {
                               return sink.write(large_.constData() + offset, std::min<size_t>(length, 1 << 20));
                             });
    });
  }

  std::string Url(const char* path) const { return server_->Url(path); }
  QString Target(const char* name) const { return folder_->filePath(name); }

  void WriteKept(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(kKept);
  }

  const QByteArray kKept = "the file saved before";
  const QByteArray large_ = Pattern(40 << 20);
  std::unique_ptr<QTemporaryDir> folder_;
  TestSignal stop_;  // ends the server's trickles and stalls
  std::unique_ptr<LocalHttpServer> server_;
};

// The limit is 0.2 s plus the size at 2 MB/s: the announced length counts, else the
// caller's guess, else nothing. The three run at once.
TEST_F(DownloadLimitsTest, ATricklingServerTimesOutAfterBasePlusSize) {
  DownloadLimits limits;
  limits.BaseSeconds = 0.2;
  limits.MinBytesPerSecond = 2'000'000;
  const Downloader fetch(limits);
  struct Case {
    const char* Path;
    long long Expected;
    double LimitSeconds;
  };
  const Case cases[] = {{"/trickle", -1, 0.7},  // 0.2 s + 1,000,000 B at 2 MB/s
                        {"/trickle-chunked", 500'000, 0.45},
                        {"/trickle-chunked", -1, 0.2}};
  std::vector<std::future<std::pair<DownloadResult, double>>> runs;
  for (const Case& c : cases)
    runs.push_back(std::async(std::launch::async, [&fetch, url = Url(c.Path), expected = c.Expected] {
      DownloadControl control;
      control.ExpectedBytes = expected;
      QByteArray bytes;
      const auto start = Clock::now();
      DownloadResult result = fetch.Fetch(url, bytes, control);
      return std::make_pair(result, Seconds(Clock::now() - start).count());
    }));
  for (std::size_t i = 0; i < runs.size(); ++i) {
    const auto [result, seconds] = runs[i].get();
    SCOPED_TRACE(cases[i].Path);
    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.Reason, "timed out");
    EXPECT_GE(seconds, cases[i].LimitSeconds);
    EXPECT_LT(seconds, cases[i].LimitSeconds + 0.5);
  }
}

// An announced length far beyond what the caller expects ends the transfer at once
// rather than buying the server the time such a body would need.
TEST_F(DownloadLimitsTest, AnAnnouncedLengthBeyondTheExpectedIsRefusedAtOnce) {
  DownloadControl control;
  control.ExpectedBytes = 10'000;  // the trickle announces 1,000,000
  QByteArray bytes;
  const auto start = Clock::now();
  const DownloadResult result = Downloader().Fetch(Url("/trickle"), bytes, control);
  EXPECT_EQ(result.Kind, DownloadFailure::TooLarge);
  EXPECT_LT(Seconds(Clock::now() - start).count(), 1.0);
}

TEST_F(DownloadLimitsTest, ATimedOutFileDownloadLeavesTheFileAsItWas) {
  DownloadLimits limits;
  limits.BaseSeconds = 0.2;
  limits.MinBytesPerSecond = 10'000'000;
  const QString kept = Target("moon.tif");
  WriteKept(kept);
  const DownloadResult result = Downloader(limits).DownloadToFile(Url("/trickle"), kept);
  EXPECT_EQ(result.Reason, "timed out");
  EXPECT_EQ(ReadAll(kept), kKept);
  EXPECT_EQ(FolderEntries(folder_->path()), QStringList{"moon.tif"});
}

// Cancelled from another thread while the server sends nothing at all, the download
// ends within a fraction of a second and leaves the file alone.
TEST_F(DownloadLimitsTest, ACancelledDownloadEndsAtOnce) {
  const QString kept = Target("moon.tif");
  WriteKept(kept);
  std::atomic<bool> cancel{false};
  TestSignal firstBytes;
  DownloadControl control;
  control.Cancel = &cancel;
  control.Progress = [&firstBytes](long long received, long long) {
    if (received > 0) firstBytes.Raise();
  };
  const Downloader fetch;
  auto run = std::async(std::launch::async, [&] { return fetch.DownloadToFile(Url("/stall"), kept, {}, control); });
  ASSERT_TRUE(firstBytes.Wait(std::chrono::seconds(10)));
  const auto start = Clock::now();
  cancel = true;
  ASSERT_EQ(run.wait_for(std::chrono::seconds(10)), std::future_status::ready);
  EXPECT_LT(Seconds(Clock::now() - start).count(), 0.5);
  EXPECT_EQ(run.get().Reason, "cancelled");
  EXPECT_EQ(ReadAll(kept), kKept);
  EXPECT_EQ(FolderEntries(folder_->path()), QStringList{"moon.tif"});
}

TEST_F(DownloadLimitsTest, AnEndlessBodyStopsAtTheCap) {
  DownloadLimits limits;
  limits.MaxBytes = 4 << 20;
  const Downloader fetch(limits);
  QByteArray bytes = "old";
  const DownloadResult inMemory = fetch.Fetch(Url("/endless"), bytes);
  EXPECT_EQ(inMemory.Reason, "too large");
  EXPECT_EQ(bytes, "old");
  const DownloadResult toFile = fetch.DownloadToFile(Url("/endless"), Target("endless"));
  EXPECT_EQ(toFile.Reason, "too large");
  EXPECT_TRUE(FolderEntries(folder_->path()).isEmpty());
}

// Tens of megabytes go to the file piece by piece and arrive byte for byte, with
// progress reports up to the announced length.
TEST_F(DownloadLimitsTest, ALargeFileIsStreamedWhole) {
  long long lastReceived = 0, lastTotal = 0;
  DownloadControl control;
  control.Progress = [&](long long received, long long total) {
    EXPECT_GE(received, lastReceived);
    lastReceived = received;
    lastTotal = total;
  };
  const QString target = Target("large.bin");
  ASSERT_TRUE(Downloader().DownloadToFile(Url("/large"), target, {}, control).Ok);
  EXPECT_TRUE(ReadAll(target) == large_);
  EXPECT_EQ(lastReceived, large_.size());
  EXPECT_EQ(lastTotal, large_.size());
}

// The buffer's room never passes the cap, whatever the pieces; an announced length
// is taken at once and exactly.
TEST(BodyBufferGrowth, NeverReservesPastTheCap) {
  for (const long long cap : {4LL << 20, 3'000'001LL, 100LL}) {
    SCOPED_TRACE(cap);
    BodyBuffer body(cap);
    const std::string piece(16 << 10 | 7, 'b');
    long long added = 0;
    while (body.Append(piece.data(), piece.size(), -1)) {
      added += static_cast<long long>(piece.size());
      EXPECT_LE(body.Capacity(), cap);
    }
    EXPECT_GT(added + static_cast<long long>(piece.size()), cap) << "refused before the cap";
    EXPECT_EQ(body.Take().size(), added);
  }
  BodyBuffer announced(4 << 20);
  ASSERT_TRUE(announced.Append("abc", 3, 1'000'000));
  EXPECT_GE(announced.Capacity(), 1'000'000);
  EXPECT_LT(announced.Capacity(), 1'000'000 + 64);
  BodyBuffer tooLong(4 << 20);
  EXPECT_TRUE(tooLong.Append("abc", 3, 5 << 20));  // the cap stops it later, not the announcement
  EXPECT_LE(tooLong.Capacity(), 4 << 20);
}

}  // namespace
