// Downloads against a local HTTP server: complete bodies only, every failure a false
// result that leaves the caller's object and the target folder unchanged.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <chrono>
#include <mutex>

#include "nasa/downloader.h"
#include "nasa/image_decode.h"
#include "support/file_size_limit.h"
#include "support/local_http_server.h"
#include "support/raw_answer_server.h"
#include "support/stderr_capture.h"
#include "support/test_folders.h"
#include "support/test_images.h"
#include "support/test_signal.h"
#include "support/tiff_pattern_check.h"

namespace {

const QByteArray kText = "first line\nsecond line\n";
const QByteArray kCrlfText = "first\r\nsecond\r\n\r\nlast";

QByteArray Filler(int size) { return QByteArray(size, 'x'); }

std::string Std(const QByteArray& bytes) { return bytes.toStdString(); }

class Downloads : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = MakeTestFolder();
    ASSERT_TRUE(folder_->isValid());
    server_ = std::make_unique<LocalHttpServer>([this](httplib::Server& s) { Routes(s); });
  }

  void TearDown() override {
    gate_.Raise();
    Fetch = Downloader();  // closes the kept-alive connections
    server_.reset();
  }

  void Routes(httplib::Server& s) {
    const auto serve = [&s](const char* path, QByteArray body, const char* type) {
      s.Get(path, [body, type](const httplib::Request&, httplib::Response& r) { r.set_content(Std(body), type); });
    };
    serve("/text.txt", kText, "text/plain");
    serve("/crlf.txt", kCrlfText, "text/plain");
    serve("/empty", QByteArray(), "application/octet-stream");
    serve("/big", Filler(5000), "application/octet-stream");
    serve("/moon.jpg", MakeJpeg(64, 48), "image/jpeg");
    serve("/plain.tif", MakeTiffRgb8(40, 30), "image/tiff");
    serve("/lzw.tif", MakeTiffRgb8(40, 30, {TiffCompression::Lzw, 0}), "image/tiff");
    serve("/striped.tif", MakeTiffRgb8(40, 30, {TiffCompression::None, 7}), "image/tiff");
    serve("/page.html", "<html><body>no picture</body></html>", "text/html");
    QByteArray corrupt = MakeJpeg(64, 48);
    corrupt.truncate(corrupt.size() * 2 / 3);
    corrupt.append(QByteArray(200, '\x5A'));
    serve("/corrupt.jpg", corrupt, "image/jpeg");
    s.Get("/404", [](const httplib::Request&, httplib::Response& r) {
      r.status = 404;
      r.set_content("not found", "text/plain");
    });
    s.Get("/500", [](const httplib::Request&, httplib::Response& r) {
      r.status = 500;
      r.set_content("server error", "text/plain");
    });
    s.Get("/huge-header", [](const httplib::Request&, httplib::Response& r) {
      r.set_header("X-Padding", std::string(1 << 20, 'h'));
      r.set_content("small", "text/plain");
    });
    s.Get("/redirect", [](const httplib::Request&, httplib::Response& r) { r.set_redirect("/text.txt"); });
    s.Get("/loop", [](const httplib::Request&, httplib::Response& r) { r.set_redirect("/loop"); });
    s.Get("/204", [](const httplib::Request&, httplib::Response& r) { r.status = 204; });
    // Announces 1000 bytes, sends 400 and closes.
    s.Get("/short", [](const httplib::Request&, httplib::Response& r) {
      r.set_content_provider(1000, "application/octet-stream", [](size_t offset, size_t, httplib::DataSink& sink) {
        if (offset > 0) return false;
        sink.write(std::string(400, 'y').data(), 400);
        return true;
      });
    });
    // Announces 100000 bytes, sends 100 and stalls until the test opens the gate.
    s.Get("/slow", [this](const httplib::Request&, httplib::Response& r) {
      r.set_content_provider(100000, "application/octet-stream", [this](size_t, size_t, httplib::DataSink& sink) {
        sink.write(std::string(100, 'z').data(), 100);
        if (!gate_.Wait(std::chrono::seconds(60))) slowTimedOut_ = true;
        return false;
      });
    });
    // 5000 bytes in chunks, without a Content-Length.
    s.Get("/big-chunked", [](const httplib::Request&, httplib::Response& r) {
      r.set_chunked_content_provider("application/octet-stream", [](size_t offset, httplib::DataSink& sink) {
        if (offset >= 5000) {
          sink.done();
        } else {
          sink.write(std::string(500, 'c').data(), 500);
        }
        return true;
      });
    });
  }

  std::string Url(const char* path) const { return server_->Url(path); }
  QString Target(const char* name) const { return folder_->filePath(name); }
  QStringList Entries() const { return FolderEntries(folder_->path()); }

  std::string RefusedUrl() {
    std::string url;
    {
      LocalHttpServer closed([](httplib::Server&) {});
      url = closed.Url("/text.txt");
    }
    return url;  // nothing listens there any more
  }

  std::unique_ptr<QTemporaryDir> folder_;
  TestSignal gate_;  // lets a handler block until the test has seen the client give up
  std::atomic<bool> slowTimedOut_{false};
  Downloader Fetch;
  std::unique_ptr<LocalHttpServer> server_;
};

TEST_F(Downloads, StreamHoldsTheWholeBody) {
  QByteArray stream = "old";
  ASSERT_TRUE(Fetch.DownloadToStream(Url("/text.txt"), stream));
  EXPECT_EQ(stream, kText);
  ASSERT_TRUE(Fetch.DownloadToStream(Url("/redirect"), stream));
  EXPECT_EQ(stream, kText);
  ASSERT_TRUE(Fetch.DownloadToStream(Url("/empty"), stream));
  EXPECT_TRUE(stream.isEmpty());
  ASSERT_TRUE(Fetch.DownloadToStream(Url("/big-chunked"), stream));
  EXPECT_EQ(stream.size(), 5000);
}

// The stalled body ends at a time limit shortened to 0.3 s.
TEST_F(Downloads, FailuresLeaveTheStreamUnchanged) {
  DownloadLimits limits;
  limits.BaseSeconds = 0.2;
  limits.MinBytesPerSecond = 1'000'000;
  Fetch = Downloader(limits);
  for (const std::string& url : {Url("/404"), Url("/500"), Url("/loop"), Url("/short"), Url("/slow"), RefusedUrl(),
                                 std::string("ftp://127.0.0.1/text.txt"), std::string("not a url")}) {
    QByteArray stream = "old";
    EXPECT_FALSE(Fetch.DownloadToStream(url, stream)) << url;
    EXPECT_EQ(stream, "old") << url;
  }
}

// The client abandons the stalled body on its own (low-speed limit shortened to 1 s),
// long before the server's 60 s safety limit ends the handler.
TEST_F(Downloads, AStalledBodyIsAbandoned) {
  Fetch = Downloader(DownloadLimits{15, 1024, 1, 256LL << 20});
  QByteArray stream;
  EXPECT_FALSE(Fetch.DownloadToStream(Url("/slow"), stream));
  gate_.Raise();
  server_.reset();  // waits for the handler
  EXPECT_FALSE(slowTimedOut_);
}

TEST_F(Downloads, BodiesOverTheLimitAreRefused) {
  QByteArray stream;
  ASSERT_TRUE(Fetch.DownloadToStream(Url("/big"), stream));
  Fetch = Downloader(DownloadLimits{15, 1024, 30, 4999});
  stream = "old";
  EXPECT_FALSE(Fetch.DownloadToStream(Url("/big"), stream));  // announced length
  EXPECT_FALSE(Fetch.DownloadToStream(Url("/big-chunked"), stream));  // counted while it arrives
  EXPECT_EQ(stream, "old");
  Fetch = Downloader(DownloadLimits{15, 1024, 30, 5000});
  EXPECT_TRUE(Fetch.DownloadToStream(Url("/big-chunked"), stream));
}

TEST_F(Downloads, FileIsWrittenWholeAndReplaced) {
  const QString target = Target("frame.txt");
  {
    QFile old(target);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an older and longer content than the new one");
  }
  ASSERT_TRUE(Fetch.DownloadToFile(Url("/text.txt"), target).Ok);
  QFile file(target);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), kText);
  EXPECT_EQ(Entries(), QStringList{"frame.txt"});  // no temporary file stays behind
}

TEST_F(Downloads, FailedFileDownloadsLeaveNoNewFile) {
  Fetch = Downloader(DownloadLimits{15, 1024, 30, 4000});
  const QString kept = Target("kept.txt");
  {
    QFile old(kept);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("kept");
  }
  const QStringList before = Entries();
  for (const std::string& url :
       {Url("/404"), Url("/500"), Url("/204"), Url("/loop"), Url("/short"), Url("/big"), RefusedUrl()}) {
    EXPECT_FALSE(Fetch.DownloadToFile(url, Target("new.txt")).Ok) << url;
    EXPECT_FALSE(Fetch.DownloadToFile(url, kept).Ok) << url;
    EXPECT_EQ(Entries(), before) << url;
  }
  // Whole bodies with status 200 that are not what was asked for: an error page, an
  // empty body and a picture cut short never replace a picture.
  const auto decodes = [](const QByteArray& bytes) { return CheckImage(bytes).Ok; };
  for (const std::string& url : {Url("/page.html"), Url("/empty"), Url("/corrupt.jpg")}) {
    EXPECT_FALSE(Fetch.DownloadToFile(url, kept, decodes).Ok) << url;
    EXPECT_EQ(Entries(), before) << url;
  }
  EXPECT_TRUE(Fetch.DownloadToFile(Url("/plain.tif"), Target("frame.tif"), decodes).Ok);
  QFile file(kept);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), "kept");
  // Targets that cannot be written, or are no regular file to replace.
  const QString fifo = Target("fifo");
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  for (const QString& target : {Target("no-such-folder/new.txt"), fifo})
    EXPECT_EQ(Fetch.DownloadToFile(Url("/text.txt"), target).Kind, DownloadFailure::CannotWrite) << target.toStdString();
  EXPECT_TRUE(std::filesystem::is_fifo(fifo.toStdString()));
  EXPECT_EQ(Entries().size(), before.size() + 2);  // frame.tif and the FIFO
}

// A disk that fills up while the file arrives (in the middle of the body, or with the
// last bytes kept back in the buffer): the failure names the file and the system's
// reason, and the file it was to replace stays as it was.
TEST_F(Downloads, ADiskFillingUpKeepsTheOldFile) {
  const QString kept = Target("kept.txt");
  for (const rlim_t room : {1000, 4999}) {
    ASSERT_TRUE(Fetch.DownloadToFile(Url("/text.txt"), kept).Ok);
    DownloadResult result;
    {
      const FileSizeLimit full(room);
      result = Fetch.DownloadToFile(Url("/big"), kept);
    }
    EXPECT_EQ(result.Kind, DownloadFailure::CannotWrite) << room;
    EXPECT_EQ(result.Reason.toStdString(), "cannot write " + kept.toStdString() + ": " + std::strerror(EFBIG)) << room;
    QFile file(kept);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), kText) << room;
    EXPECT_EQ(Entries(), QStringList{"kept.txt"}) << room;
  }
}

TEST_F(Downloads, StringsSplitAtLfAndCrlf) {
  QStringList lines;
  ASSERT_TRUE(Fetch.DownloadStrings(Url("/text.txt"), lines).Ok);
  EXPECT_EQ(lines, (QStringList{"first line", "second line"}));
  ASSERT_TRUE(Fetch.DownloadStrings(Url("/crlf.txt"), lines).Ok);
  EXPECT_EQ(lines, (QStringList{"first", "second", "", "last"}));
  ASSERT_TRUE(Fetch.DownloadStrings(Url("/empty"), lines).Ok);
  EXPECT_TRUE(lines.isEmpty());
  lines = QStringList{"old"};
  EXPECT_FALSE(Fetch.DownloadStrings(Url("/404"), lines).Ok);
  EXPECT_EQ(lines, QStringList{"old"});
}

TEST_F(Downloads, TiffFramesOfEveryLayout) {
  for (const char* path : {"/plain.tif", "/lzw.tif", "/striped.tif"}) {
    QImage image;
    ASSERT_TRUE(Fetch.DownloadTiff(Url(path), image)) << path;
    ExpectTiffPattern(image, 40, 30);
    QImage graphic;
    ASSERT_TRUE(Fetch.DownloadGraphic(Url(path), graphic)) << path;
    EXPECT_EQ(graphic, image);
  }
}

TEST_F(Downloads, JpegFramesDecodeTo24Bits) {
  QImage image;
  ASSERT_TRUE(Fetch.DownloadJpeg(Url("/moon.jpg"), image));
  EXPECT_EQ(image.format(), QImage::Format_BGR888);
  EXPECT_EQ(image.size(), QSize(64, 48));
  QImage graphic;
  ASSERT_TRUE(Fetch.DownloadGraphic(Url("/moon.jpg"), graphic));
  EXPECT_EQ(graphic, image);
}

TEST_F(Downloads, BytesThatAreNoPictureFailAndLeaveTheImage) {
  QImage before(3, 2, QImage::Format_BGR888);
  before.fill(Qt::red);
  QImage image = before;
  StderrCapture errors;
  for (const char* path : {"/page.html", "/corrupt.jpg", "/empty", "/404", "/plain.tif"})
    EXPECT_FALSE(Fetch.DownloadJpeg(Url(path), image)) << path;
  for (const char* path : {"/page.html", "/moon.jpg", "/empty", "/500"})
    EXPECT_FALSE(Fetch.DownloadTiff(Url(path), image)) << path;
  for (const char* path : {"/page.html", "/corrupt.jpg", "/empty", "/text.txt"})
    EXPECT_FALSE(Fetch.DownloadGraphic(Url(path), image)) << path;
  EXPECT_EQ(image, before);
  EXPECT_EQ(errors.Text(), "");
}

}  // namespace

namespace {

// Consecutive requests travel over one kept-alive connection (the same client port)
// and name the program and its version.
TEST(DownloaderConnections, AreKeptAliveAndNameTheProgram) {
  std::mutex lock;
  std::vector<int> ports;
  std::vector<std::string> agents;
  LocalHttpServer server([&](httplib::Server& s) {
    s.Get("/a", [&](const httplib::Request& q, httplib::Response& r) {
      std::lock_guard guard(lock);
      ports.push_back(q.remote_port);
      agents.push_back(q.get_header_value("User-Agent"));
      r.set_content("a", "text/plain");
    });
  });
  {
    const Downloader fetch;
    const Downloader copy = fetch;
    QByteArray bytes;
    for (const Downloader* d : {&fetch, &copy, &fetch}) ASSERT_TRUE(d->Fetch(server.Url("/a"), bytes).Ok);
  }
  ASSERT_EQ(ports.size(), 3u);
  EXPECT_EQ(ports[0], ports[1]);
  EXPECT_EQ(ports[0], ports[2]);
  EXPECT_EQ(agents[0], "Orvanel/" ORVANEL_TEST_VERSION);
}

// Every call's result names the kind of failure and the HTTP status besides the
// status bar's words; a header of a megabyte is said to be one, not "Out of memory".
TEST_F(Downloads, FailuresNameTheirKindAndStatus) {
  const struct {
    std::string Url;
    DownloadFailure Kind;
    long Status;
    const char* Reason;
  } cases[] = {{Url("/404"), DownloadFailure::Http, 404, "HTTP 404"},
               {Url("/204"), DownloadFailure::Http, 204, "HTTP 204"},
               {Url("/huge-header"), DownloadFailure::BadAnswer, 200, "answer header too large"},
               {Url("/corrupt.jpg"), DownloadFailure::CorruptData, 200, "corrupt data"},
               {RefusedUrl(), DownloadFailure::NoConnection, 0, "no connection"},
               {"not a url", DownloadFailure::BadAddress, 0, "bad address"}};
  for (const auto& c : cases) {
    QImage image;
    const DownloadResult result = Fetch.DownloadGraphic(c.Url, image);
    EXPECT_FALSE(result.Ok) << c.Url;
    EXPECT_EQ(result.Kind, c.Kind) << c.Url;
    EXPECT_EQ(result.HttpStatus, c.Status) << c.Url;
    EXPECT_EQ(result.Reason, c.Reason) << c.Url;
  }
  QImage image;
  EXPECT_EQ(Fetch.DownloadGraphic(Url("/plain.tif"), image).Kind, DownloadFailure::None);
}

// Answers no HTTP library would send: libcurl takes a connection closed within the
// header for a complete answer with no body, which must not count as a file.
TEST(RawAnswers, OnlyAnAnswerWhoseHeaderEndedCounts) {
  const struct {
    const char* Answer;
    DownloadFailure Kind;
  } cases[] = {{"HTTP/1.1 200 OK\r\nContent-Length: 3\r\n\r\nabc", DownloadFailure::None},
               {"HTTP/1.1 200 OK\r\n\r\n", DownloadFailure::None},
               {"HTTP/1.1 200 OK\r\n", DownloadFailure::CutShort},
               {"HTTP/1.1 200 OK\r\nContent-Length: 3\r\n", DownloadFailure::CutShort},
               {"HTTP/1.1 200 OK\r\nContent-Le", DownloadFailure::CutShort},
               {"HTTP/1.1 200OK\r\n\r\nabc", DownloadFailure::BadAnswer}};
  RawAnswerServer server;
  for (const auto& c : cases) {
    server.SetAnswer(c.Answer);
    QByteArray stream = "old";
    const DownloadResult result = Downloader().Fetch(server.BaseUrl() + "/moon.jpg", stream);
    EXPECT_EQ(result.Kind, c.Kind) << c.Answer;
    EXPECT_EQ(stream == "old", !result.Ok) << c.Answer;
  }
}

}  // namespace
