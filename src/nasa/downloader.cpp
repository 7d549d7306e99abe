// Downloads with libcurl. Each call is one synchronous transfer on a fresh easy
// handle; the body is collected in memory and handed over only when it is complete.
#include "nasa/downloader.h"

#include <curl/curl.h>

#include <QSaveFile>
#include <memory>

#include "nasa/image_decode.h"

namespace {

// curl_global_init is not thread-safe; a function-local static runs it exactly once.
bool CurlReady() {
  static const bool ready = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
  return ready;
}

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
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  // A redirect never leaves HTTPS for plain HTTP.
  const bool secure = url.rfind("https://", 0) == 0;
  curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, secure ? "https" : "http,https");
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 10L);
  curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_USERAGENT, "Orvanel");
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

}  // namespace

// Only a complete body of a 2xx answer counts: libcurl reports a body cut short
// (CURLE_PARTIAL_FILE), a stalled or oversized transfer and HTTP errors as failures,
// and a final 3xx (a redirect that was not followed) is no file either.
bool Downloader::DownloadToStream(const std::string& url, QByteArray& stream) const {
  if (!CurlReady()) return false;
  const std::unique_ptr<CURL, CurlCleanup> curl(curl_easy_init());
  if (!curl) return false;
  Body body{{}, Limits.MaxBytes};
  SetOptions(curl.get(), url, Limits, body);
  if (curl_easy_perform(curl.get()) != CURLE_OK) return false;
  long status = 0;
  curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &status);
  if (status < 200 || status > 299) return false;
  stream = std::move(body.Bytes);
  return true;
}

bool Downloader::DownloadToFile(const std::string& url, const QString& fileName) const {
  QByteArray bytes;
  if (!DownloadToStream(url, bytes)) return false;
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
