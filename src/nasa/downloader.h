// Fetching NASA's files over HTTP(S) into memory, a file or text lines.
//
// Every fetch is one synchronous libcurl transfer that follows redirects and succeeds
// only when the server answered with a status below 400 and the whole body arrived.
// Every fetch ends: within a time limit that grows with the size the caller expects
// (never with what the server claims), when the caller cancels it, or when the body
// passes the size cap. Nothing here shows a message or writes to stderr; every call
// returns a DownloadResult (the kind of failure, the HTTP status, the words) and a
// failure leaves the caller's object unchanged. Copies of a
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

#include "nasa/image_decode.h"

struct DownloadLimits {
  long ConnectTimeoutSeconds = 15;
  long LowSpeedBytesPerSecond = 1024;  // a transfer slower than this ...
  long LowSpeedSeconds = 30;           // ... for this long is abandoned
  long long MaxBytes = 256LL << 20;    // larger bodies are refused
  // A transfer may last BaseSeconds plus the expected size at MinBytesPerSecond: a
  // 730 x 730 frame about a minute, NASA's 56 MB TIFF a few minutes.
  double BaseSeconds = 60;
  long long MinBytesPerSecond = 256 << 10;
  // The longest answer header taken; a longer one is a broken or hostile server.
  long long MaxHeaderBytes = 64 << 10;
};

// An announced length over this many times the expected size is refused before the
// body starts: no file of the rendition asked for can be that large.
inline constexpr long long kAnnouncedOverExpected = 2;

// What a caller adds to one download. Cancel and Progress are used from the
// downloading thread; Cancel may be set from any thread and must outlive the call.
struct DownloadControl {
  // The largest the body should be (-1: unknown). It sets the time limit, and a body
  // or an announced length over kAnnouncedOverExpected times it ends the transfer.
  long long ExpectedBytes = -1;
  const std::atomic<bool>* Cancel = nullptr;  // once true, the download ends "cancelled"
  // Bytes received so far and the announced length (-1 while unknown), called often.
  std::function<void(long long received, long long total)> Progress;
};

// What went wrong with a fetch, for callers that act on the kind rather than the words.
enum class DownloadFailure {
  None,
  Http,          // the server answered with an error status (HttpStatus says which)
  TimedOut,
  Cancelled,
  NoConnection,
  CutShort,
  TooLarge,
  BadAddress,
  BadAnswer,     // an answer that breaks HTTP's rules (a header past the limit, say)
  CannotWrite,   // the body arrived but could not be kept
  CorruptData,   // the body is not what was asked for (a picture that does not decode)
  Other,
};

// Whether a fetch succeeded and, when not, its kind, the HTTP status (0 when none
// came) and a few words for the status bar ("HTTP 404", "timed out", "cancelled",
// "no connection", "cut short", "too large", ...). Ok is true exactly when Kind is None.
struct DownloadResult {
  bool Ok = false;
  QString Reason;
  DownloadFailure Kind = DownloadFailure::Other;
  long HttpStatus = 0;

  explicit operator bool() const { return Ok; }
  static DownloadResult Success(long status = 200) { return {true, {}, DownloadFailure::None, status}; }
  static DownloadResult Failure(DownloadFailure kind, const QString& reason, long status = 0) {
    return {false, reason, kind, status};
  }
};

class ConnectionPool;

// Fetches with fixed limits. Every call is independent apart from the shared
// connection pool, so one Downloader may be used from several threads at once.
class Downloader {
 public:
  explicit Downloader(const DownloadLimits& limits = {});

  // The whole body of url; stream is replaced only on success.
  DownloadResult Fetch(const std::string& url, QByteArray& stream, const DownloadControl& control = {}) const;
  DownloadResult DownloadToStream(const std::string& url, QByteArray& stream) const { return Fetch(url, stream); }
  // Whether a body is what was asked for (a picture that decodes, say).
  using BodyCheck = std::function<bool(const QByteArray&)>;
  // Streams the body into a temporary file beside fileName, which replaces fileName
  // only when the whole body arrived, was written and passes accept (when given);
  // otherwise fileName keeps what it held and no new file remains. Only a regular
  // file is replaced (no FIFO, device or folder). Only the check reads the body into memory.
  DownloadResult DownloadToFile(const std::string& url, const QString& fileName, const BodyCheck& accept = {},
                                const DownloadControl& control = {}) const;
  // The body as text lines (UTF-8, lines ending in LF or CRLF); lines is replaced only on success.
  DownloadResult DownloadStrings(const std::string& url, QStringList& lines, const DownloadControl& control = {}) const;
  // A JPEG or TIFF image, told apart by its first bytes, decoded to Format_BGR888;
  // a body that does not decode fails as CorruptData.
  DownloadResult DownloadGraphic(const std::string& url, QImage& image) const;
  DownloadResult DownloadJpeg(const std::string& url, QImage& image) const;
  DownloadResult DownloadTiff(const std::string& url, QImage& image) const;

 private:
  using Decoder = DecodeResult (*)(const QByteArray&, QImage&);
  DownloadResult DownloadAndDecode(const std::string& url, QImage& image, Decoder decode) const;
  long long BodyCap(const DownloadControl& control) const;
  using Sink = std::function<bool(const char* data, size_t size, long long announced)>;
  DownloadResult Receive(const std::string& url, const Sink& write, const DownloadControl& control) const;

  DownloadLimits Limits;
  std::shared_ptr<ConnectionPool> Pool;
};

// A body that is not what was asked for, in the status bar's words "corrupt data".
DownloadResult CorruptData(long status = 200);

// The User-Agent every request names: "Orvanel/" and the program's version.
const char* DownloaderUserAgent();
