// The frame cache and the prefetcher against a local server that counts requests:
// an hour is downloaded once, the folder stays whole when shared, the cap keeps the
// most recently used files, and no failed download leaves a file behind.
#include <gtest/gtest.h>

#include <QElapsedTimer>

#include <QDirIterator>
#include <QFile>
#include <atomic>
#include <thread>

#include "nasa/frame_cache.h"
#include "nasa/frame_prefetcher.h"
#include "support/local_http_server.h"
#include "support/test_folders.h"
#include "support/test_images.h"
#include "support/test_signal.h"

namespace {

using Source = FrameFetch::Source;

class FrameCacheTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = MakeTestFolder();
    ASSERT_TRUE(folder_->isValid());
    server_ = std::make_unique<LocalHttpServer>([this](httplib::Server& s) { Routes(s); });
  }

  void Routes(httplib::Server& s) {
    s.Get(R"(/vis/frames/moon\.(\d+)\.jpg)", [this](const httplib::Request&, httplib::Response& r) {
      ++requests_;
      r.set_content(Frame().toStdString(), "image/jpeg");
    });
    s.Get("/bad/404.jpg", [this](const httplib::Request&, httplib::Response& r) {
      ++requests_;
      r.status = 404;
    });
    s.Get("/bad/500.jpg", [this](const httplib::Request&, httplib::Response& r) {
      ++requests_;
      r.status = 500;
    });
    s.Get("/bad/corrupt.jpg", [this](const httplib::Request&, httplib::Response& r) {
      ++requests_;
      QByteArray corrupt = Frame();
      corrupt.truncate(corrupt.size() / 2);
      r.set_content(corrupt.append(QByteArray(300, 'Z')).toStdString(), "image/jpeg");
    });
    // Sends the first bytes of a frame, then nothing until the test ends.
    s.Get("/bad/stall.jpg", [this](const httplib::Request&, httplib::Response& r) {
      r.set_content_provider(100'000, "image/jpeg", [this](size_t, size_t, httplib::DataSink& sink) {
        sink.write("\xFF\xD8", 2);
        stalled_.Raise();
        released_.Wait(std::chrono::seconds(30));
        return false;
      });
    });
    // Announces the whole frame, sends a third of it and closes.
    s.Get("/bad/short.jpg", [this](const httplib::Request&, httplib::Response& r) {
      ++requests_;
      const QByteArray frame = Frame();
      r.set_content_provider(frame.size(), "image/jpeg", [frame](size_t offset, size_t, httplib::DataSink& sink) {
        if (offset > 0) return false;
        sink.write(frame.constData(), frame.size() / 3);
        return true;
      });
    });
  }

  static QByteArray Frame() { return MakeJpeg(64, 48); }
  std::string FrameUrl(int n) const { return server_->Url("/vis/frames/moon." + std::to_string(n) + ".jpg"); }

  // Every file under the cache folder, relative to it.
  QStringList CachedFiles() const {
    QStringList files;
    for (QDirIterator it(folder_->path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();)
      files << QDir(folder_->path()).relativeFilePath(it.next());
    files.sort();
    return files;
  }

  FrameCache MakeCache(long long cap = kDefaultFrameCacheBytes) { return FrameCache(folder_->path(), fetch_, cap); }

  void TearDown() override { released_.Raise(); }

  std::unique_ptr<QTemporaryDir> folder_;
  std::atomic<int> requests_{0};
  TestSignal stalled_, released_;
  std::unique_ptr<LocalHttpServer> server_;
  Downloader fetch_;  // goes first, closing its kept-alive connections before the server stops
};

TEST_F(FrameCacheTest, AnHourIsDownloadedOnceThenComesFromDiskAndMemory) {
  {
    FrameCache first = MakeCache();
    for (int n = 1; n <= 5; ++n) {
      QImage image;
      EXPECT_EQ(first.Load(FrameUrl(n), image).From, Source::Network);
      EXPECT_EQ(image.size(), QSize(64, 48));
    }
  }
  EXPECT_EQ(requests_, 5);
  EXPECT_TRUE(QFile::exists(folder_->path() + "/vis/frames/moon.3.jpg"));  // NASA's path under the folder
  FrameCache second = MakeCache();  // a later run
  for (const Source expected : {Source::Disk, Source::Memory}) {
    for (int n = 1; n <= 5; ++n) {
      QImage image;
      const FrameFetch f = second.Load(FrameUrl(n), image);
      EXPECT_TRUE(f.Result.Ok);
      EXPECT_EQ(f.From, expected);
      EXPECT_EQ(image.size(), QSize(64, 48));
    }
  }
  EXPECT_EQ(requests_, 5);
  QFile stored(second.PathOf(FrameUrl(1)));
  ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
  EXPECT_EQ(stored.readAll(), Frame());  // the bytes as the server sent them
}

TEST_F(FrameCacheTest, TwoCachesOverOneFolderKeepItWhole) {
  FrameCache a = MakeCache(), b = MakeCache();
  std::atomic<int> failures{0};
  const auto run = [&](FrameCache& cache) {
    for (int n = 1; n <= 20; ++n) {
      QImage image;
      if (!cache.Load(FrameUrl(n), image).Result.Ok) ++failures;
    }
  };
  std::thread ta(run, std::ref(a)), tb(run, std::ref(b));
  ta.join();
  tb.join();
  EXPECT_EQ(failures, 0);
  EXPECT_EQ(CachedFiles().size(), 20);  // no temporary file stays behind
  FrameCache reader = MakeCache();
  for (int n = 1; n <= 20; ++n) {
    QImage image;
    EXPECT_EQ(reader.Load(FrameUrl(n), image).From, Source::Disk) << n;
  }
}

TEST_F(FrameCacheTest, TheCapEvictsTheLeastRecentlyUsed) {
  const long long size = Frame().size();
  const long long cap = size * 7 / 2;  // room for three frames and a half
  FrameCache cache = MakeCache(cap);
  QImage image;
  for (int n : {1, 2, 3}) ASSERT_TRUE(cache.Load(FrameUrl(n), image).Result.Ok);
  ASSERT_EQ(MakeCache(cap).Load(FrameUrl(1), image).From, Source::Disk);  // 1 is used again, 2 is now the oldest
  ASSERT_TRUE(cache.Load(FrameUrl(4), image).Result.Ok);
  EXPECT_EQ(CachedFiles(), (QStringList{"vis/frames/moon.1.jpg", "vis/frames/moon.3.jpg", "vis/frames/moon.4.jpg"}));
  EXPECT_LE(CachedFiles().size() * size, cap);
}

TEST_F(FrameCacheTest, ADamagedFileIsFetchedAgain) {
  FrameCache cache = MakeCache();
  const QString path = cache.PathOf(FrameUrl(7));
  ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
  QFile damaged(path);
  ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
  damaged.write(Frame().left(200));
  damaged.close();
  QImage image;
  EXPECT_EQ(cache.Load(FrameUrl(7), image).From, Source::Network);
  EXPECT_EQ(requests_, 1);
  EXPECT_EQ(QFileInfo(path).size(), Frame().size());
}

TEST_F(FrameCacheTest, FailuresNameTheirReasonAndStoreNothing) {
  std::string refused;
  {
    LocalHttpServer closed([](httplib::Server&) {});
    refused = closed.Url("/vis/frames/moon.1.jpg");
  }
  const struct {
    std::string Url;
    const char* Reason;
  } cases[] = {{server_->Url("/bad/404.jpg"), "HTTP 404"},
               {server_->Url("/bad/500.jpg"), "HTTP 500"},
               {server_->Url("/bad/short.jpg"), "cut short"},
               {server_->Url("/bad/corrupt.jpg"), "corrupt data"},
               {refused, "no connection"},
               {"no address", "bad address"}};
  FrameCache cache = MakeCache();
  for (const auto& c : cases) {
    QImage image(2, 2, QImage::Format_BGR888);
    const QImage before = image;
    const FrameFetch f = cache.Load(c.Url, image);
    EXPECT_FALSE(f.Result.Ok) << c.Url;
    EXPECT_EQ(f.Result.Reason, c.Reason) << c.Url;
    EXPECT_EQ(image, before) << c.Url;
    EXPECT_FALSE(cache.Store(c.Url).Result.Ok) << c.Url;
  }
  EXPECT_EQ(CachedFiles(), QStringList());
}

// The caller's controls reach the download: a cancelled one stores nothing, and a
// stored one reports its progress.
TEST_F(FrameCacheTest, ControlsReachTheDownload) {
  std::atomic<bool> cancel{true};
  DownloadControl control;
  control.Cancel = &cancel;
  FrameCache cache = MakeCache();
  QImage image;
  EXPECT_EQ(cache.Load(FrameUrl(1), image, control).Result.Reason, "cancelled");
  EXPECT_EQ(cache.Store(FrameUrl(1), control).Result.Reason, "cancelled");
  EXPECT_EQ(CachedFiles(), QStringList());
  cancel = false;
  long long received = 0;
  control.Progress = [&received](long long now, long long) { received = now; };
  EXPECT_TRUE(cache.Store(FrameUrl(1), control).Result.Ok);
  EXPECT_EQ(received, Frame().size());
}

TEST_F(FrameCacheTest, ThePrefetcherFillsTheCacheOnce) {
  FrameCache cache = MakeCache();
  FramePrefetcher prefetcher(cache);
  std::vector<std::string> urls;
  for (int n = 1; n <= 12; ++n) urls.push_back(FrameUrl(n));
  prefetcher.Want(urls);
  prefetcher.WaitForDone();
  EXPECT_EQ(requests_, 12);
  EXPECT_EQ(CachedFiles().size(), 12);
  prefetcher.Want(urls);
  prefetcher.WaitForDone();
  EXPECT_EQ(requests_, 12);
}

// After a failure the prefetcher pauses: the wishes of the pause cost no request.
TEST_F(FrameCacheTest, ThePrefetcherBacksOffAfterFailures) {
  FrameCache cache = MakeCache();
  FramePrefetcher prefetcher(cache);
  const std::vector<std::string> failing(10, server_->Url("/bad/500.jpg"));
  prefetcher.Want(failing);
  prefetcher.WaitForDone();
  const int first = requests_;
  EXPECT_GE(first, 1);
  EXPECT_LE(first, kPrefetchRequests);
  prefetcher.Want({FrameUrl(1), FrameUrl(2)});
  prefetcher.WaitForDone();
  EXPECT_EQ(requests_, first);
}

// The program's end never waits for a stalled server.
TEST_F(FrameCacheTest, ThePrefetchersEndAbandonsAStalledTransfer) {
  FrameCache cache = MakeCache();
  auto prefetcher = std::make_unique<FramePrefetcher>(cache);
  prefetcher->Want({server_->Url("/bad/stall.jpg")});
  ASSERT_TRUE(stalled_.Wait(std::chrono::seconds(10)));
  QElapsedTimer clock;
  clock.start();
  prefetcher.reset();
  EXPECT_LT(clock.elapsed(), 1000);
  EXPECT_TRUE(CachedFiles().isEmpty());
}

}  // namespace
