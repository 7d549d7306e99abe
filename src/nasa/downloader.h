// Fetching NASA's files over HTTP(S) into memory, a file or text lines.
//
// Every fetch is one synchronous libcurl transfer that follows redirects and succeeds
// only when the server answered with a status below 400 and the whole body arrived.
// Every fetch ends: within a time limit that grows with the body's size, when the
// caller cancels it, or when the body passes the size cap. Nothing here shows a
// message or writes to stderr; every failure is a false result (or a DownloadResult
// naming the reason) and leaves the caller's object unchanged. Copies of a
// Downloader share one pool of open connections and resolved names, so consecutive
// frames from one server travel over a kept-alive connection.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <memory>
#include <string>

struct DownloadLimits {
  long ConnectTimeoutSeconds = 15;
  long LowSpeedBytesPerSecond = 1024;  // a transfer slower than this ...
  long LowSpeedSeconds = 30;           // ... for this long is abandoned
  long long MaxBytes = 256LL << 20;    // larger bodies are refused
  // A transfer may last BaseSeconds plus its size at MinBytesPerSecond: a 730 x 730
  // frame about a minute, NASA's 56 MB TIFF a few minutes. The size is the announced
  // length, else the caller's guess, else none.
  long BaseSeconds = 60;
  long long MinBytesPerSecond = 256 << 10;
};

// What a caller adds to one download. Cancel and Progress are used from the
// downloading thread; Cancel may be set from any thread and must outlive the call.
struct DownloadControl {
  long long ExpectedBytes = -1;                // the body's likely size when the server announces none
  const std::atomic<bool>* Cancel = nullptr;  // once true, the download ends "cancelled"
  // Bytes received so far and the announced length (-1 while unknown), called often.
  std::function<void(long long received, long long total)> Progress;
};

// Whether a fetch succeeded and, when not, why, in a few words for the status bar
// ("HTTP 404", "timed out", "cancelled", "no connection", "cut short", "too large", ...).
struct DownloadResult {
  bool Ok = false;
  QString Reason;

  static DownloadResult Success() { return {true, {}}; }
  static DownloadResult Failure(const QString& reason) { return {false, reason}; }
};

class ConnectionPool;

// Fetches with fixed limits. Every call is independent apart from the shared
// connection pool, so one Downloader may be used from several threads at once.
class Downloader {
 public:
  explicit Downloader(const DownloadLimits& limits = {});

  // The whole body of url; stream is replaced only on success.
  DownloadResult Fetch(const std::string& url, QByteArray& stream, const DownloadControl& control = {}) const;
  bool DownloadToStream(const std::string& url, QByteArray& stream) const { return Fetch(url, stream).Ok; }
  // Whether a body is what was asked for (a picture that decodes, say).
  using BodyCheck = std::function<bool(const QByteArray&)>;
  // Streams the body into a temporary file beside fileName, which replaces fileName
  // only when the whole body arrived, was written and passes accept (when given);
  // otherwise fileName keeps what it held and no new file remains. Only the check
  // reads the body into memory.
  DownloadResult DownloadToFile(const std::string& url, const QString& fileName, const BodyCheck& accept = {},
                                const DownloadControl& control = {}) const;
  // The body as text lines (UTF-8, lines ending in LF or CRLF); lines is replaced only on success.
  DownloadResult DownloadStrings(const std::string& url, QStringList& lines, const DownloadControl& control = {}) const;
  // A JPEG or TIFF image, told apart by its first bytes, decoded to Format_BGR888.
  bool DownloadGraphic(const std::string& url, QImage& image) const;
  bool DownloadJpeg(const std::string& url, QImage& image) const;
  bool DownloadTiff(const std::string& url, QImage& image) const;

 private:
  using Decoder = bool (*)(const QByteArray&, QImage&);
  bool DownloadAndDecode(const std::string& url, QImage& image, Decoder decode) const;
  using Sink = std::function<bool(const char* data, size_t size, long long announced)>;
  DownloadResult Receive(const std::string& url, const Sink& write, const DownloadControl& control) const;

  DownloadLimits Limits;
  std::shared_ptr<ConnectionPool> Pool;
};

// The User-Agent every request names: "Orvanel/" and the program's version.
const char* DownloaderUserAgent();
