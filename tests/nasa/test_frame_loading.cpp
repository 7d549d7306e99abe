// Loading the Moon frame of an hour from NASA's server (a local stand-in) or from the
// local frame folders.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <functional>
#include <mutex>
#include <vector>

#include "astro/time_scales.h"
#include "nasa/frame_loading.h"
#include "nasa/frame_naming.h"
#include "support/local_http_server.h"
#include "support/test_folders.h"
#include "support/test_images.h"

namespace {

constexpr long double kInstant = 45452.75L;  // 2024-06-09 18:00 UTC, frame 3859
constexpr long double k2025 = 45689.0L;      // 2025-02-01 00:00 UTC, frame 745

QImage Marker() {
  QImage image(5, 4, QImage::Format_BGR888);
  image.fill(Qt::blue);
  return image;
}

class FrameLoading : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = MakeTestFolder();
    ASSERT_TRUE(folder_->isValid());
    server_ = std::make_unique<LocalHttpServer>([this](httplib::Server& s) {
      // NASA's frame folders: the northern and southern 730 folders of 2024 and 2025.
      s.Get(R"(/vis/a000000/a00\d{4}/a00\d{4}/frames/730x730_1x1_30p/moon\.\d{4}\.jpg)",
            [this](const httplib::Request& q, httplib::Response& r) {
              {
                std::lock_guard lock(mutex_);
                requests_.push_back(q.path);
              }
              if (q.path.find("moon.0404.jpg") != std::string::npos) {
                r.status = 404;
                return;
              }
              r.set_content(Std(MakeJpeg(730, 730)), "image/jpeg");
            });
    });
    site_ = MakeNasaSite(server_->BaseUrl(), folder_->path().toStdString());
    frames_ = std::make_unique<FrameCache>(folder_->path() + "/cache", Downloader());
  }
  // The cache's downloader closes its kept-alive connections, so that stopping the
  // server waits for none.
  void TearDown() override { frames_.reset(); }

  static std::string Std(const QByteArray& bytes) { return bytes.toStdString(); }

  std::vector<std::string> Requests() {
    std::lock_guard lock(mutex_);
    return requests_;
  }

  // Writes bytes as the local frame of Instant.
  void PutLocalFrame(bool Large, long double Instant, const QByteArray& bytes) {
    const QString folder = QString::fromStdString(GetImageFolder(site_, Large, Instant));
    ASSERT_TRUE(QDir().mkpath(folder));
    QFile file(folder + QString::fromStdString(GetFileName("jpg", Instant)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }

  NasaSite site_;
  std::unique_ptr<FrameCache> frames_;
  std::unique_ptr<QTemporaryDir> folder_;
  std::mutex mutex_;
  std::vector<std::string> requests_;
  std::unique_ptr<LocalHttpServer> server_;
};

TEST_F(FrameLoading, FetchesTheFrameOfTheHourFromTheHemisphereFolder) {
  QImage frame;
  ASSERT_TRUE(LoadJpgFileUrl(site_, *frames_, kInstant, 41.3L, frame).Ok);
  EXPECT_EQ(frame.size(), QSize(730, 730));
  EXPECT_EQ(frame.format(), QImage::Format_BGR888);
  ASSERT_TRUE(LoadJpgFileUrl(site_, *frames_, kInstant, -33.9L, frame).Ok);
  ASSERT_TRUE(LoadJpgFile(site_, *frames_, true, false, k2025, -1, frame).Ok);
  EXPECT_EQ(Requests(), (std::vector<std::string>{
                            "/vis/a000000/a005100/a005187/frames/730x730_1x1_30p/moon.3859.jpg",
                            "/vis/a000000/a005100/a005188/frames/730x730_1x1_30p/moon.3859.jpg",
                            "/vis/a000000/a005400/a005416/frames/730x730_1x1_30p/moon.0745.jpg",
                        }));
}

TEST_F(FrameLoading, AMissingFrameOrNoServerFails) {
  const long double hour403 = EncodeDateTimeOrZero(2024, 1, 17, 19, 0, 0, 0);  // frame 404
  QImage frame = Marker();
  EXPECT_FALSE(LoadJpgFileUrl(site_, *frames_, hour403, 10, frame).Ok);
  server_.reset();
  EXPECT_FALSE(LoadJpgFile(site_, *frames_, true, true, kInstant, 10, frame).Ok);
  EXPECT_EQ(frame, Marker());
}

TEST_F(FrameLoading, LocalFramesComeFromTheLargeOrSmallFolder) {
  PutLocalFrame(true, kInstant, MakeJpeg(730, 730));
  PutLocalFrame(false, kInstant, MakeJpeg(216, 216));
  QImage frame;
  ASSERT_TRUE(LoadJpgFile(site_, *frames_, false, true, kInstant, 10, frame).Ok);
  EXPECT_EQ(frame.size(), QSize(730, 730));
  ASSERT_TRUE(LoadJpgFileLocal(site_, false, kInstant, frame));
  EXPECT_EQ(frame.size(), QSize(216, 216));
  EXPECT_TRUE(Requests().empty());  // one source per call, never the server
}

// No local file for the hour: success, and the frame loaded before stays.
TEST_F(FrameLoading, NoLocalFileKeepsThePreviousFrame) {
  QImage frame = Marker();
  EXPECT_TRUE(LoadJpgFile(site_, *frames_, false, true, kInstant, 10, frame).Ok);
  EXPECT_EQ(frame, Marker());
}

// A frame cut short, or a FIFO in the frame's place (which must not stall the load),
// fails and keeps the frame shown before.
TEST_F(FrameLoading, AnUnreadableLocalFileFails) {
  const QString path = QString::fromStdString(GetImageFolder(site_, true, kInstant) + GetFileName("jpg", kInstant));
  const std::function<void()> damage[] = {
      [&] { PutLocalFrame(true, kInstant, MakeJpeg(730, 730).left(1000)); },
      [&] {
        ASSERT_TRUE(QFile::remove(path));
        ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
      }};
  for (const auto& put : damage) {
    put();
    QImage frame = Marker();
    EXPECT_FALSE(LoadJpgFile(site_, *frames_, false, true, kInstant, 10, frame).Ok);
    EXPECT_EQ(frame, Marker());
  }
}

}  // namespace
