// Downloads with libcurl. Each call is one synchronous transfer on a fresh easy
// handle attached to the shared pool, so the connection and the resolved name of the
// previous transfer are reused; the body is collected in memory and handed over only
// when it is complete.
#include "nasa/downloader.h"

#include <curl/curl.h>

#include <QSaveFile>
#include <array>
#include <memory>
#include <mutex>

#include "nasa/image_decode.h"

namespace {

// curl_global_init is not thread-safe; a function-local static runs it exactly once.
bool CurlReady() {
  static const bool ready = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
  return ready;
}

}  // namespace

// libcurl's share handle for connections and DNS answers, with the locks libcurl asks
// for when several threads transfer through it at once.
class ConnectionPool {
 public:
  ConnectionPool() : Share(CurlReady() ? curl_share_init() : nullptr) {
    if (!Share) return;
    curl_share_setopt(Share, CURLSHOPT_LOCKFUNC, Lock);
    curl_share_setopt(Share, CURLSHOPT_UNLOCKFUNC, Unlock);
    curl_share_setopt(Share, CURLSHOPT_USERDATA, this);
    curl_share_setopt(Share, CURLSHOPT_SHARE, CURL_LOCK_DATA_CONNECT);
    curl_share_setopt(Share, CURLSHOPT_SHARE, CURL_LOCK_DATA_DNS);
  }
  ~ConnectionPool() {
    if (Share) curl_share_cleanup(Share);
  }
  ConnectionPool(const ConnectionPool&) = delete;
  ConnectionPool& operator=(const ConnectionPool&) = delete;

  CURLSH* Handle() const { return Share; }

 private:
  static std::mutex& MutexFor(void* user, curl_lock_data data) {
    auto& mutexes = static_cast<ConnectionPool*>(user)->Mutexes;
    return mutexes[static_cast<std::size_t>(data) % mutexes.size()];
  }
  static void Lock(CURL*, curl_lock_data data, curl_lock_access, void* user) { MutexFor(user, data).lock(); }
  static void Unlock(CURL*, curl_lock_data data, void* user) { MutexFor(user, data).unlock(); }

  CURLSH* Share;
  std::array<std::mutex, CURL_LOCK_DATA_LAST> Mutexes;
};

namespace {

struct Body {
  QByteArray Bytes;
  long long MaxBytes;
};

// Returning fewer bytes than offered makes libcurl end the transfer with an error.
size_t Collect(char* data, size_t size, size_t count, void* user) {
  Body& body = *static_cast<Body*>(user);
  const size_t n = size * count;
  if (static_cast<long long>(body.Bytes.size() + n) > body.MaxBytes) return 0;
  try {
    body.Bytes.append(data, static_cast<qsizetype>(n));
  } catch (...) {  // no exception may cross libcurl's C frames
    return 0;
  }
  return n;
}

struct CurlCleanup {
  void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};

void SetOptions(CURL* curl, const std::string& url, const DownloadLimits& limits, Body& body) {
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_TCP_KEEPALIVE, 1L);
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  // A redirect never leaves HTTPS for plain HTTP.
  const bool secure = url.rfind("https://", 0) == 0;
  curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, secure ? "https" : "http,https");
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 10L);
  curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_USERAGENT, DownloaderUserAgent());
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, limits.ConnectTimeoutSeconds);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, limits.LowSpeedBytesPerSecond);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, limits.LowSpeedSeconds);
  // Refuses at once when the announced length is too large; Collect enforces it otherwise.
  curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.MaxBytes));
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Collect);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
}

// Lines ending in LF or CRLF; the line break after the last line adds no empty line.
QStringList SplitLines(const QByteArray& bytes) {
  QStringList lines = QString::fromUtf8(bytes).split(u'\n');
  if (lines.back().isEmpty()) lines.removeLast();
  for (QString& line : lines)
    if (line.endsWith(u'\r')) line.chop(1);
  return lines;
}

// The reason of a failed transfer in the words the status bar shows.
QString FailureReason(CURLcode code, long status) {
  switch (code) {
    case CURLE_HTTP_RETURNED_ERROR:
      return QStringLiteral("HTTP %1").arg(status);
    case CURLE_OPERATION_TIMEDOUT:
      return QStringLiteral("timed out");
    case CURLE_COULDNT_CONNECT:
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
      return QStringLiteral("no connection");
    case CURLE_PARTIAL_FILE:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING:
      return QStringLiteral("cut short");
    case CURLE_FILESIZE_EXCEEDED:
    case CURLE_WRITE_ERROR:
      return QStringLiteral("too large");
    case CURLE_UNSUPPORTED_PROTOCOL:
    case CURLE_URL_MALFORMAT:
      return QStringLiteral("bad address");
    default:
      return QString::fromUtf8(curl_easy_strerror(code));
  }
}

}  // namespace

const char* DownloaderUserAgent() { return "Orvanel/" ORVANEL_VERSION; }

Downloader::Downloader(const DownloadLimits& limits) : Limits(limits), Pool(std::make_shared<ConnectionPool>()) {}

// Only a complete body of a 2xx answer counts: libcurl reports a body cut short
// (CURLE_PARTIAL_FILE), a stalled or oversized transfer and HTTP errors as failures,
// and a final 3xx (a redirect that was not followed) is no file either.
DownloadResult Downloader::Fetch(const std::string& url, QByteArray& stream) const {
  const std::unique_ptr<CURL, CurlCleanup> curl(CurlReady() ? curl_easy_init() : nullptr);
  if (!curl) return DownloadResult::Failure(QStringLiteral("no network library"));
  Body body{{}, Limits.MaxBytes};
  SetOptions(curl.get(), url, Limits, body);
  if (Pool->Handle()) curl_easy_setopt(curl.get(), CURLOPT_SHARE, Pool->Handle());
  const CURLcode code = curl_easy_perform(curl.get());
  long status = 0;
  curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &status);
  if (code != CURLE_OK) return DownloadResult::Failure(FailureReason(code, status));
  // Only a 200 carries the file: 204, 206 and the like are no file.
  if (status != 200) return DownloadResult::Failure(QStringLiteral("HTTP %1").arg(status));
  curl_off_t announced = -1;
  curl_easy_getinfo(curl.get(), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced);
  if (announced >= 0 && announced != static_cast<curl_off_t>(body.Bytes.size()))
    return DownloadResult::Failure(QStringLiteral("cut short"));
  stream = std::move(body.Bytes);
  return DownloadResult::Success();
}

bool Downloader::DownloadToFile(const std::string& url, const QString& fileName, const BodyCheck& accept) const {
  QByteArray bytes;
  if (!DownloadToStream(url, bytes) || (accept && !accept(bytes))) return false;
  QSaveFile file(fileName);  // a temporary file beside fileName, renamed by commit()
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (file.write(bytes) != bytes.size()) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

bool Downloader::DownloadStrings(const std::string& url, QStringList& lines) const {
  QByteArray bytes;
  if (!DownloadToStream(url, bytes)) return false;
  lines = SplitLines(bytes);
  return true;
}

bool Downloader::DownloadAndDecode(const std::string& url, QImage& image, Decoder decode) const {
  QByteArray bytes;
  return DownloadToStream(url, bytes) && decode(bytes, image);
}

bool Downloader::DownloadGraphic(const std::string& url, QImage& image) const {
  return DownloadAndDecode(url, image, DecodeImage);
}

bool Downloader::DownloadJpeg(const std::string& url, QImage& image) const {
  return DownloadAndDecode(url, image, DecodeJpeg);
}

bool Downloader::DownloadTiff(const std::string& url, QImage& image) const {
  return DownloadAndDecode(url, image, DecodeTiff);
}
