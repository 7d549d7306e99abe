// Fetching NASA's files over HTTP(S) into memory, a file or text lines.
//
// Every fetch is one synchronous libcurl transfer that follows redirects and succeeds
// only when the server answered with a status below 400 and the whole body arrived.
// Nothing here shows a message or writes to stderr; every failure is a false result
// (or a DownloadResult naming the reason) and leaves the caller's object unchanged.
// Copies of a Downloader share one pool of open connections and resolved names, so
// consecutive frames from one server travel over a kept-alive connection.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <string>

struct DownloadLimits {
  long ConnectTimeoutSeconds = 15;
  long LowSpeedBytesPerSecond = 1024;  // a transfer slower than this ...
  long LowSpeedSeconds = 30;           // ... for this long is abandoned
  long long MaxBytes = 256LL << 20;    // larger bodies are refused
};

// Whether a fetch succeeded and, when not, why, in a few words for the status bar
// ("HTTP 404", "timed out", "no connection", "cut short", "corrupt data", ...).
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
  DownloadResult Fetch(const std::string& url, QByteArray& stream) const;
  bool DownloadToStream(const std::string& url, QByteArray& stream) const { return Fetch(url, stream).Ok; }
  // Whether a body is what was asked for (a picture that decodes, say).
  using BodyCheck = std::function<bool(const QByteArray&)>;
  // Writes the body to fileName through a temporary file beside it, renamed over
  // fileName only when the whole body arrived, passes accept (when given) and was
  // written; otherwise fileName keeps what it held and no new file remains.
  bool DownloadToFile(const std::string& url, const QString& fileName, const BodyCheck& accept = {}) const;
  // The body as text lines (UTF-8, lines ending in LF or CRLF); lines is replaced only on success.
  bool DownloadStrings(const std::string& url, QStringList& lines) const;
  // A JPEG or TIFF image, told apart by its first bytes, decoded to Format_BGR888.
  bool DownloadGraphic(const std::string& url, QImage& image) const;
  bool DownloadJpeg(const std::string& url, QImage& image) const;
  bool DownloadTiff(const std::string& url, QImage& image) const;

 private:
  using Decoder = bool (*)(const QByteArray&, QImage&);
  bool DownloadAndDecode(const std::string& url, QImage& image, Decoder decode) const;

  DownloadLimits Limits;
  std::shared_ptr<ConnectionPool> Pool;
};

// The User-Agent every request names: "Orvanel/" and the program's version.
const char* DownloaderUserAgent();
