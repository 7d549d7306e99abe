// Downloads with libcurl, which the first transfer opens. Each call is one synchronous
// transfer on a fresh easy handle attached to the shared pool, so the connection and the
// resolved name of the previous transfer are reused; the body goes to a sink (memory
// under a cap, or a temporary file) and is handed over only when it is complete.
#include "nasa/downloader.h"

#include <QFileInfo>
#include <QTemporaryFile>
#include <algorithm>
#include <array>
#include <chrono>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string_view>

#include "core/file_save.h"
#include "nasa/answer_header.h"
#include "nasa/body_buffer.h"
#include "nasa/curl_library.h"
#include "nasa/image_decode.h"

// libcurl's share handle for connections and DNS answers, with the locks libcurl asks
// for when several threads transfer through it at once. It is made at the first
// transfer, which has opened libcurl.
class ConnectionPool {
 public:
  ConnectionPool() = default;
  ~ConnectionPool() {
    if (Share) Libcurl().ShareCleanup(Share);
  }
  ConnectionPool(const ConnectionPool&) = delete;
  ConnectionPool& operator=(const ConnectionPool&) = delete;

  CURLSH* Handle() {
    std::call_once(Made, [this] { Share = Make(); });
    return Share;
  }

 private:
  CURLSH* Make() {
    const CurlLibrary& curl = Libcurl();
    CURLSH* share = curl.ShareInit();
    if (!share) return nullptr;
    curl.ShareSetopt(share, CURLSHOPT_LOCKFUNC, Lock);
    curl.ShareSetopt(share, CURLSHOPT_UNLOCKFUNC, Unlock);
    curl.ShareSetopt(share, CURLSHOPT_USERDATA, this);
    curl.ShareSetopt(share, CURLSHOPT_SHARE, CURL_LOCK_DATA_CONNECT);
    curl.ShareSetopt(share, CURLSHOPT_SHARE, CURL_LOCK_DATA_DNS);
    return share;
  }
  static std::mutex& MutexFor(void* user, curl_lock_data data) {
    auto& mutexes = static_cast<ConnectionPool*>(user)->Mutexes;
    return mutexes[static_cast<std::size_t>(data) % mutexes.size()];
  }
  static void Lock(CURL*, curl_lock_data data, curl_lock_access, void* user) { MutexFor(user, data).lock(); }
  static void Unlock(CURL*, curl_lock_data data, void* user) { MutexFor(user, data).unlock(); }

  std::once_flag Made;
  CURLSH* Share = nullptr;
  std::array<std::mutex, CURL_LOCK_DATA_LAST> Mutexes;
};

namespace {

using Clock = std::chrono::steady_clock;

// While no data arrive libcurl's own loop waits up to a second between calls of the
// progress callback; this loop waits at most this long, so a cancel takes hold at once.
constexpr int kPollMilliseconds = 50;

// The longest a transfer of bytes (-1: unknown) may take.
Clock::duration TimeLimit(const DownloadLimits& limits, long long bytes) {
  const double rate = static_cast<double>(std::max(limits.MinBytesPerSecond, 1LL));
  const double seconds = limits.BaseSeconds + static_cast<double>(std::max(bytes, 0LL)) / rate;
  return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
}

// The size a transfer's time limit follows: the caller's expectation when there is
// one, so that a server cannot buy itself time by announcing a huge length.
long long SizeForTimeLimit(const DownloadLimits& limits, const DownloadControl& control, long long announced) {
  if (control.ExpectedBytes > 0) return control.ExpectedBytes;
  return announced > 0 ? std::min(announced, limits.MaxBytes) : -1;
}

// One transfer as libcurl's callbacks see it.
struct Transfer {
  const CurlLibrary& Curl;
  CURL* Easy;
  const DownloadLimits& Limits;
  const DownloadControl& Control;
  const std::function<bool(const char*, size_t, long long)>& Write;
  AnswerHeader Header;
  Clock::time_point Start = Clock::now();
  bool BodyStarted = false;
  std::optional<DownloadResult> Stopped;  // why a callback ended the transfer

  void Stop(DownloadFailure kind, const QString& why) { Stopped = DownloadResult::Failure(kind, why); }
};

// Returning fewer bytes than offered makes libcurl end the transfer with an error.
size_t Collect(char* data, size_t size, size_t count, void* user) {
  Transfer& t = *static_cast<Transfer*>(user);
  t.BodyStarted = true;
  curl_off_t announced = -1;
  t.Curl.EasyGetinfo(t.Easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced);
  try {
    return t.Write(data, size * count, announced) ? size * count : 0;
  } catch (...) {  // no exception may cross libcurl's C frames
    return 0;
  }
}

// Checks the answers' header lines (of every answer, redirects included).
size_t CheckHeader(char* data, size_t size, size_t count, void* user) {
  Transfer& t = *static_cast<Transfer*>(user);
  const QString refusal = t.Header.Refusal(std::string_view(data, size * count), t.BodyStarted);
  if (refusal.isEmpty()) return size * count;
  t.Stop(DownloadFailure::BadAnswer, refusal);
  return 0;
}

// Ends the transfer (a non-zero return) when the caller cancels, the time runs out or
// the announced length is beyond any file of the expected kind.
int OnProgress(void* user, curl_off_t total, curl_off_t now, curl_off_t, curl_off_t) {
  Transfer& t = *static_cast<Transfer*>(user);
  const DownloadControl& c = t.Control;
  if (c.Cancel && c.Cancel->load()) {
    t.Stop(DownloadFailure::Cancelled, QStringLiteral("cancelled"));
    return 1;
  }
  if (c.ExpectedBytes > 0 && total > kAnnouncedOverExpected * c.ExpectedBytes) {
    t.Stop(DownloadFailure::TooLarge, QStringLiteral("too large"));
    return 1;
  }
  if (Clock::now() - t.Start > TimeLimit(t.Limits, SizeForTimeLimit(t.Limits, c, total))) {
    t.Stop(DownloadFailure::TimedOut, QStringLiteral("timed out"));
    return 1;
  }
  if (!c.Progress) return 0;
  try {
    c.Progress(now, total > 0 ? total : -1);
  } catch (...) {
    return 1;
  }
  return 0;
}

// The first option libcurl refuses, or CURLE_OK: a libcurl too old for one would
// otherwise download without it (and follow a redirect from HTTPS to plain HTTP).
CURLcode SetOptions(CURL* easy, const std::string& url, const DownloadLimits& limits, Transfer& transfer) {
  CURLcode refused = CURLE_OK;
  const auto set = [&transfer, &refused, easy](CURLoption option, auto value) {
    if (refused == CURLE_OK) refused = transfer.Curl.EasySetopt(easy, option, value);
  };
  set(CURLOPT_URL, url.c_str());
  set(CURLOPT_TCP_KEEPALIVE, 1L);
  set(CURLOPT_PROTOCOLS_STR, "http,https");
  // A redirect never leaves HTTPS for plain HTTP.
  const bool secure = url.rfind("https://", 0) == 0;
  set(CURLOPT_REDIR_PROTOCOLS_STR, secure ? "https" : "http,https");
  set(CURLOPT_FOLLOWLOCATION, 1L);
  set(CURLOPT_MAXREDIRS, 10L);
  set(CURLOPT_FAILONERROR, 1L);
  set(CURLOPT_NOSIGNAL, 1L);
  set(CURLOPT_USERAGENT, DownloaderUserAgent());
  set(CURLOPT_CONNECTTIMEOUT, limits.ConnectTimeoutSeconds);
  set(CURLOPT_LOW_SPEED_LIMIT, limits.LowSpeedBytesPerSecond);
  set(CURLOPT_LOW_SPEED_TIME, limits.LowSpeedSeconds);
  // Refuses at once when the announced length is too large; the sink enforces it otherwise.
  set(CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.MaxBytes));
  set(CURLOPT_WRITEFUNCTION, Collect);
  set(CURLOPT_WRITEDATA, &transfer);
  set(CURLOPT_HEADERFUNCTION, CheckHeader);
  set(CURLOPT_HEADERDATA, &transfer);
  set(CURLOPT_XFERINFOFUNCTION, OnProgress);
  set(CURLOPT_XFERINFODATA, &transfer);
  set(CURLOPT_NOPROGRESS, 0L);
  return refused;
}

// curl_easy_perform with a shorter wait between the progress callback's calls.
CURLcode Perform(const CurlLibrary& curl, CURL* easy) {
  const std::unique_ptr<CURLM, decltype(curl.MultiCleanup)> multi(curl.MultiInit(), curl.MultiCleanup);
  if (!multi || curl.MultiAddHandle(multi.get(), easy) != CURLM_OK) return CURLE_OUT_OF_MEMORY;
  int running = 1;
  CURLMcode step = CURLM_OK;
  while (step == CURLM_OK && running) {
    step = curl.MultiPerform(multi.get(), &running);
    if (step == CURLM_OK && running) step = curl.MultiPoll(multi.get(), nullptr, 0, kPollMilliseconds, nullptr);
  }
  CURLcode code = CURLE_RECV_ERROR;
  int queued = 0;
  while (const CURLMsg* message = curl.MultiInfoRead(multi.get(), &queued))
    if (message->msg == CURLMSG_DONE) code = message->data.result;
  curl.MultiRemoveHandle(multi.get(), easy);
  return code;
}

// Lines ending in LF or CRLF; the line break after the last line adds no empty line.
QStringList SplitLines(const QByteArray& bytes) {
  QStringList lines = QString::fromUtf8(bytes).split(u'\n');
  if (lines.back().isEmpty()) lines.removeLast();
  for (QString& line : lines)
    if (line.endsWith(u'\r')) line.chop(1);
  return lines;
}

// A failed transfer's kind and its reason in the words the status bar shows.
DownloadResult FailureOf(const CurlLibrary& curl, CURLcode code, long status) {
  using F = DownloadFailure;
  const auto failure = [status](F kind, const QString& why) { return DownloadResult::Failure(kind, why, status); };
  switch (code) {
    case CURLE_HTTP_RETURNED_ERROR:
      return failure(F::Http, QStringLiteral("HTTP %1").arg(status));
    case CURLE_OPERATION_TIMEDOUT:
      return failure(F::TimedOut, QStringLiteral("timed out"));
    case CURLE_COULDNT_CONNECT:
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
      return failure(F::NoConnection, QStringLiteral("no connection"));
    case CURLE_PARTIAL_FILE:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING:
      return failure(F::CutShort, QStringLiteral("cut short"));
    case CURLE_FILESIZE_EXCEEDED:
    case CURLE_WRITE_ERROR:
      return failure(F::TooLarge, QStringLiteral("too large"));
    case CURLE_UNSUPPORTED_PROTOCOL:
    case CURLE_URL_MALFORMAT:
      return failure(F::BadAddress, QStringLiteral("bad address"));
    case CURLE_WEIRD_SERVER_REPLY:
      return failure(F::BadAnswer, QStringLiteral("bad answer"));
    default:
      return failure(F::Other, QString::fromUtf8(curl.EasyStrerror(code)));
  }
}

// A transfer that cannot start: libcurl is missing or broken, or memory ran out.
DownloadResult NoTransfer(const QString& why) { return DownloadResult::Failure(DownloadFailure::Other, why); }

DownloadResult CannotWrite(const QString& fileName, const QString& why) {
  return DownloadResult::Failure(DownloadFailure::CannotWrite, QStringLiteral("cannot write %1: %2").arg(fileName, why));
}

// Renames part over fileName in one step, giving it fileName's permissions when
// there is one and a new file's usual ones otherwise (a temporary file is private);
// the system's reason when it cannot.
std::optional<QString> ReplaceWith(QTemporaryFile& part, const QString& fileName) {
  constexpr QFileDevice::Permissions kNewFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                QFileDevice::ReadUser | QFileDevice::WriteUser |
                                                QFileDevice::ReadGroup | QFileDevice::ReadOther;
  part.setPermissions(QFileInfo::exists(fileName) ? QFile::permissions(fileName) : kNewFile);
  part.close();
  std::error_code error;
  std::filesystem::rename(QFile::encodeName(part.fileName()).toStdString(), QFile::encodeName(fileName).toStdString(),
                          error);
  if (error) return QString::fromStdString(error.message());
  part.setAutoRemove(false);
  return std::nullopt;
}

}  // namespace

const char* DownloaderUserAgent() { return "Orvanel/" ORVANEL_VERSION; }

Downloader::Downloader(const DownloadLimits& limits) : Limits(limits), Pool(std::make_shared<ConnectionPool>()) {}

// Only a complete body of a 2xx answer counts: libcurl reports a body cut short
// (CURLE_PARTIAL_FILE), a stalled or oversized transfer and HTTP errors as failures,
// and a final 3xx (a redirect that was not followed) is no file either.
DownloadResult Downloader::Receive(const std::string& url, const Sink& write, const DownloadControl& control) const {
  const CurlLibrary& curl = Libcurl();
  if (!curl.Failure.empty()) return NoTransfer(QString::fromStdString(curl.Failure));
  const std::unique_ptr<CURL, decltype(curl.EasyCleanup)> easy(curl.EasyInit(), curl.EasyCleanup);
  if (!easy) return NoTransfer(QString::fromUtf8(curl.EasyStrerror(CURLE_OUT_OF_MEMORY)));
  Transfer transfer{curl, easy.get(), Limits, control, write, AnswerHeader(Limits.MaxHeaderBytes), Clock::now(), false,
                    std::nullopt};
  if (const CURLcode refused = SetOptions(easy.get(), url, Limits, transfer); refused != CURLE_OK)
    return NoTransfer(QStringLiteral("libcurl refuses a setting the download needs: %1")
                          .arg(QString::fromUtf8(curl.EasyStrerror(refused))));
  if (Pool->Handle()) curl.EasySetopt(easy.get(), CURLOPT_SHARE, Pool->Handle());
  const CURLcode code = Perform(curl, easy.get());
  long status = 0;
  curl.EasyGetinfo(easy.get(), CURLINFO_RESPONSE_CODE, &status);
  if (transfer.Stopped) {
    transfer.Stopped->HttpStatus = status;
    return *transfer.Stopped;
  }
  // libcurl refuses a single header line past its own limit as "Out of memory".
  if (code == CURLE_OUT_OF_MEMORY && !transfer.BodyStarted)
    return DownloadResult::Failure(DownloadFailure::BadAnswer, QStringLiteral("answer header too large"), status);
  if (code != CURLE_OK) return FailureOf(curl, code, status);
  if (!transfer.Header.Ended())
    return DownloadResult::Failure(DownloadFailure::CutShort, QStringLiteral("cut short"), status);
  // Only a 200 carries the file: 204, 206 and the like are no file.
  if (status != 200) return DownloadResult::Failure(DownloadFailure::Http, QStringLiteral("HTTP %1").arg(status), status);
  curl_off_t announced = -1, received = 0;
  curl.EasyGetinfo(easy.get(), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced);
  curl.EasyGetinfo(easy.get(), CURLINFO_SIZE_DOWNLOAD_T, &received);
  if (announced >= 0 && announced != received)
    return DownloadResult::Failure(DownloadFailure::CutShort, QStringLiteral("cut short"), status);
  return DownloadResult::Success(status);
}

// The most bytes a body may have: the size cap, and for a body of an expected size
// no more than an announced length could be.
long long Downloader::BodyCap(const DownloadControl& control) const {
  if (control.ExpectedBytes <= 0) return Limits.MaxBytes;
  return std::min(Limits.MaxBytes, kAnnouncedOverExpected * control.ExpectedBytes);
}

DownloadResult Downloader::Fetch(const std::string& url, QByteArray& stream, const DownloadControl& control) const {
  BodyBuffer body(BodyCap(control));
  const DownloadResult result = Receive(
      url, [&body](const char* data, size_t size, long long announced) { return body.Append(data, size, announced); },
      control);
  if (result.Ok) stream = body.Take();
  return result;
}

DownloadResult Downloader::DownloadToFile(const std::string& url, const QString& fileName, const BodyCheck& accept,
                                          const DownloadControl& control) const {
  QTemporaryFile part(fileName + QStringLiteral(".XXXXXX"));  // beside fileName, removed unless renamed over it
  if (NotARegularFile(fileName)) return CannotWrite(fileName, QStringLiteral("no regular file stands there"));
  if (!part.open()) return CannotWrite(fileName, part.errorString());
  long long written = 0;
  bool writeFailed = false;
  const long long cap = BodyCap(control);
  const DownloadResult result = Receive(
      url,
      [&](const char* data, size_t size, long long) {
        written += static_cast<long long>(size);
        if (written > cap) return false;
        writeFailed = part.write(data, static_cast<qint64>(size)) != static_cast<qint64>(size);
        return !writeFailed;
      },
      control);
  if (writeFailed || (result.Ok && !part.flush())) return CannotWrite(fileName, WhyUnwritten(part));
  if (!result.Ok) return result;
  if (accept && !(part.seek(0) && accept(part.readAll()))) return CorruptData(result.HttpStatus);
  if (const std::optional<QString> why = WhyNotOnDisk(part)) return CannotWrite(fileName, *why);
  if (const std::optional<QString> why = ReplaceWith(part, fileName)) return CannotWrite(fileName, *why);
  return result;
}

DownloadResult Downloader::DownloadStrings(const std::string& url, QStringList& lines,
                                           const DownloadControl& control) const {
  QByteArray bytes;
  const DownloadResult result = Fetch(url, bytes, control);
  if (result.Ok) lines = SplitLines(bytes);
  return result;
}

DownloadResult Downloader::DownloadAndDecode(const std::string& url, QImage& image, Decoder decode) const {
  QByteArray bytes;
  const DownloadResult result = Fetch(url, bytes);
  if (result && !decode(bytes, image)) return CorruptData(result.HttpStatus);
  return result;
}

DownloadResult Downloader::DownloadGraphic(const std::string& url, QImage& image) const {
  return DownloadAndDecode(url, image, DecodeImage);
}

DownloadResult Downloader::DownloadJpeg(const std::string& url, QImage& image) const {
  return DownloadAndDecode(url, image, DecodeJpeg);
}

DownloadResult Downloader::DownloadTiff(const std::string& url, QImage& image) const {
  return DownloadAndDecode(url, image, DecodeTiff);
}

DownloadResult CorruptData(long status) {
  return DownloadResult::Failure(DownloadFailure::CorruptData, QStringLiteral("corrupt data"), status);
}
