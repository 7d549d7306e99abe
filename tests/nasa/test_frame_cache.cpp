// The frame cache and the prefetcher against a local server that counts requests:
// an hour is downloaded once, the folder stays whole when shared, the cap keeps the
// most recently used files, and no failed download leaves a file behind.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QElapsedTimer>

#include <QDirIterator>
#include <QFile>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <thread>

#include "nasa/frame_cache.h"
#include "nasa/frame_prefetcher.h"
#include "support/file_size_limit.h"
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
    s.Get("/vis/bad/moon.0404.jpg", [this](const httplib::Request&, httplib::Response& r) {
      ++requests_;
      r.status = 404;
    });
    s.Get("/vis/bad/moon.0500.jpg", [this](const httplib::Request&, httplib::Response& r) {
      ++requests_;
      r.status = 500;
    });
    s.Get("/vis/bad/moon.0002.jpg", [this](const httplib::Request&, httplib::Response& r) {
      ++requests_;
      QByteArray corrupt = Frame();
      corrupt.truncate(corrupt.size() / 2);
      r.set_content(corrupt.append(QByteArray(300, 'Z')).toStdString(), "image/jpeg");
    });
    // A frame whose first bytes come, then nothing until the test ends.
    s.Get("/vis/bad/moon.0003.jpg", [this](const httplib::Request&, httplib::Response& r) {
      r.set_content_provider(100'000, "image/jpeg", [this](size_t, size_t, httplib::DataSink& sink) {
        sink.write("\xFF\xD8", 2);
        stalled_.Raise();
        released_.Wait(std::chrono::seconds(30));
        return false;
      });
    });
    // Announces the whole frame, sends a third of it and closes.
    s.Get("/vis/bad/moon.0001.jpg", [this](const httplib::Request&, httplib::Response& r) {
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

// A file cut short, or one far larger than any frame (here a sparse terabyte, which
// must not be read into memory), is replaced by a fresh download.
TEST_F(FrameCacheTest, ADamagedFileIsFetchedAgain) {
  const QString path = MakeCache().PathOf(FrameUrl(7));
  ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
  for (const qint64 size : {200LL, 1LL << 40}) {
    FrameCache cache = MakeCache();  // a later run, with nothing in memory
    QFile damaged(path);
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(Frame().left(200));
    ASSERT_TRUE(damaged.resize(size));
    damaged.close();
    QImage image;
    EXPECT_EQ(cache.Load(FrameUrl(7), image).From, Source::Network) << size;
    EXPECT_EQ(QFileInfo(path).size(), Frame().size()) << size;
  }
  EXPECT_EQ(requests_, 2);
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
  } cases[] = {{server_->Url("/vis/bad/moon.0404.jpg"), "HTTP 404"},
               {server_->Url("/vis/bad/moon.0500.jpg"), "HTTP 500"},
               {server_->Url("/vis/bad/moon.0001.jpg"), "cut short"},
               {server_->Url("/vis/bad/moon.0002.jpg"), "corrupt data"},
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
  const std::vector<std::string> failing(10, server_->Url("/vis/bad/moon.0500.jpg"));
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
  prefetcher->Want({server_->Url("/vis/bad/moon.0003.jpg")});
  ASSERT_TRUE(stalled_.Wait(std::chrono::seconds(10)));
  QElapsedTimer clock;
  clock.start();
  prefetcher.reset();
  EXPECT_LT(clock.elapsed(), 1000);
  EXPECT_TRUE(CachedFiles().isEmpty());
}

// Nothing outside the cache is written, dated or deleted through a link planted in
// it: the link goes as damage, its target keeps its bytes and its date.
TEST_F(FrameCacheTest, ALinkInTheCacheIsRemovedAndItsTargetLeftAlone) {
  const auto outside = MakeTestFolder();
  const QString target = outside->filePath("precious.jpg");
  QFile file(target);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(Frame());  // a picture that decodes, so the cache would take it as its own
  file.close();
  const QDateTime dated = QDateTime::currentDateTime().addDays(-100);
  {
    QFile dating(target);
    ASSERT_TRUE(dating.open(QIODevice::ReadWrite));
    ASSERT_TRUE(dating.setFileTime(dated, QFileDevice::FileModificationTime));
  }
  FrameCache cache = MakeCache();
  const struct {
    const char* What;
    QString Link;
    QString Points;
  } cases[] = {{"a frame's file", cache.PathOf(FrameUrl(1)), target},
               {"a folder on the way", folder_->path() + "/vis", outside->path()}};
  for (const auto& c : cases) {
    ASSERT_TRUE(QDir().mkpath(QFileInfo(c.Link).path()));
    ASSERT_TRUE(QFile::link(c.Points, c.Link)) << c.What;
    QImage image;
    for (int pass = 0; pass < 2; ++pass) EXPECT_TRUE(cache.Load(FrameUrl(1), image).Result.Ok) << c.What;
    EXPECT_TRUE(cache.Store(FrameUrl(2)).Result.Ok) << c.What;
    EXPECT_FALSE(QFileInfo(c.Link).isSymLink()) << c.What;
    EXPECT_EQ(FolderEntries(outside->path()), QStringList{"precious.jpg"}) << c.What;
    EXPECT_EQ(QFileInfo(target).lastModified(), dated) << c.What;
    QDir(folder_->path() + "/vis").removeRecursively();
  }
}

// The cap deletes frames only; a user's file in the folder stays however old it is.
TEST_F(FrameCacheTest, TheCapDeletesOnlyFrames) {
  const QString notes = folder_->filePath("vis/frames/notes.txt");
  ASSERT_TRUE(QDir().mkpath(QFileInfo(notes).path()));
  QFile file(notes);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray(4 * Frame().size(), 'n'));
  ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addYears(-1), QFileDevice::FileModificationTime));
  file.close();
  FrameCache cache = MakeCache(Frame().size() * 5 / 2);
  for (int n = 1; n <= 4; ++n) ASSERT_TRUE(cache.Store(FrameUrl(n)).Result.Ok);
  EXPECT_TRUE(QFile::exists(notes));
  EXPECT_EQ(CachedFiles().size(), 3);  // the notes and the two newest frames
}

// A part file that a write cut off left behind goes once it is an hour old; a newer
// one may be another process's write in progress.
TEST_F(FrameCacheTest, AnAbandonedPartFileIsRemoved) {
  const QString frames = folder_->filePath("vis/frames/");
  ASSERT_TRUE(QDir().mkpath(frames));
  const struct {
    const char* Name;
    int AgeSeconds;
    bool Kept;
  } cases[] = {{"moon.1.jpg.part.Ab12Cd", 2 * 3600, false},
               {"moon.2.jpg.part.Ef34Gh", 60, true},
               {"notes.txt.part.Ij56Kl", 2 * 3600, true}};
  for (const auto& c : cases) {
    QFile file(frames + c.Name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const QDateTime written = QDateTime::currentDateTime().addSecs(-c.AgeSeconds);
    ASSERT_TRUE(file.setFileTime(written, QFileDevice::FileModificationTime));
  }
  ASSERT_TRUE(MakeCache().Store(FrameUrl(3)).Result.Ok);
  for (const auto& c : cases) EXPECT_EQ(QFile::exists(frames + c.Name), c.Kept) << c.Name;
}

// Two caches over one folder (as two processes) keep one cap between them.
TEST_F(FrameCacheTest, TwoCachesKeepOneCapTogether) {
  const long long cap = Frame().size() * 9 / 2;
  FrameCache a = MakeCache(cap), b = MakeCache(cap);
  for (int n = 1; n <= 8; ++n) ASSERT_TRUE((n % 2 ? a : b).Store(FrameUrl(n)).Result.Ok);
  EXPECT_LE(CachedFiles().size() * Frame().size(), cap);
}

// Decoded frames are kept under a budget in bytes; Store checks a frame without keeping it.
TEST_F(FrameCacheTest, MemoryHoldsFramesUnderItsBudgetInBytes) {
  const long long frameBytes = QImage(64, 48, QImage::Format_BGR888).sizeInBytes();
  FrameCache cache(folder_->path(), fetch_, kDefaultFrameCacheBytes, frameBytes * 2);
  QImage image;
  for (int n = 1; n <= 3; ++n) ASSERT_TRUE(cache.Load(FrameUrl(n), image).Result.Ok);
  EXPECT_EQ(cache.Load(FrameUrl(3), image).From, Source::Memory);
  EXPECT_EQ(cache.Load(FrameUrl(1), image).From, Source::Disk);  // pushed out by the third
  ASSERT_TRUE(cache.Store(FrameUrl(4)).Result.Ok);
  EXPECT_EQ(cache.Load(FrameUrl(4), image).From, Source::Disk);
}

// A frame that cannot be stored is a failure of Store; only a whole, decodable file
// counts as cached.
TEST_F(FrameCacheTest, StoreCountsWhatIsNotWholeOnDisk) {
  FrameCache cache = MakeCache();
  const QString path = cache.PathOf(FrameUrl(1));
  ASSERT_TRUE(QDir().mkpath(path));  // a folder where the frame should go
  const FrameFetch blocked = cache.Store(FrameUrl(1));
  EXPECT_FALSE(blocked.Result.Ok);
  EXPECT_EQ(blocked.Result.Kind, DownloadFailure::CannotWrite);
  for (const QByteArray& damaged : {QByteArray(), Frame().left(Frame().size() / 2), QByteArray(500, 'r')}) {
    const QString other = cache.PathOf(FrameUrl(2));
    QFile file(other);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(damaged);
    file.close();
    EXPECT_EQ(cache.Store(FrameUrl(2)).From, Source::Network);
    EXPECT_EQ(QFileInfo(other).size(), Frame().size());
  }
}

// A disk without room for the frames: the frame asked for is still shown (and kept in
// memory), a frame to be stored is a failure that says why, and no file or part of one
// stays for a later start to take.
TEST_F(FrameCacheTest, AFullDiskStillShowsTheFrameAndKeepsNoPart) {
  FrameCache cache = MakeCache();
  QImage image;
  FrameFetch shown, stored;
  {
    const FileSizeLimit full(static_cast<rlim_t>(Frame().size() / 2));
    shown = cache.Load(FrameUrl(1), image);
    stored = cache.Store(FrameUrl(2));
  }
  EXPECT_TRUE(shown.Result.Ok);
  EXPECT_EQ(image.size(), QSize(64, 48));
  EXPECT_EQ(cache.Load(FrameUrl(1), image).From, Source::Memory);
  EXPECT_EQ(stored.Result.Kind, DownloadFailure::CannotWrite);
  EXPECT_TRUE(stored.Result.Reason.endsWith(QString::fromLocal8Bit(std::strerror(EFBIG))))
      << stored.Result.Reason.toStdString();
  EXPECT_EQ(FilesUnder(folder_->path()), 0);
}

}  // namespace
