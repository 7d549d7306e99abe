// libFuzzer target: any bytes as a server's answer to every request, fetched by the
// Downloader as a frame. libcurl reads the status lines, lengths and redirects; the
// program's own part is what it makes of them (the header cap, the announced and
// received lengths, the status that counts), and that is what is checked here.
//
// The answer comes from a server on 127.0.0.1 in this process, which sends the input
// and closes the connection, so every fetch ends. The environment names the same server
// as the proxy for http and https, so that a redirect to any host comes back to it and
// nothing leaves the machine.
#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "nasa/downloader.h"
#include "support/raw_answer_server.h"

namespace {

// Small limits, so that inputs of a few kilobytes reach every one of them.
constexpr long long kMaxHeaderBytes = 1024;
constexpr long long kMaxBytes = 1500;
constexpr long long kExpectedBytes = 1000;  // the cap on an announced length is twice this

RawAnswerServer& Server() {
  static RawAnswerServer* server = [] {
    auto* s = new RawAnswerServer();  // lives for the whole run
    const std::string proxy = s->BaseUrl();
    setenv("http_proxy", proxy.c_str(), 1);
    setenv("https_proxy", proxy.c_str(), 1);
    for (const char* name : {"HTTPS_PROXY", "ALL_PROXY", "all_proxy", "NO_PROXY", "no_proxy"}) unsetenv(name);
    return s;
  }();
  return *server;
}

// The length of the first answer's header lines before its empty one, which libcurl
// takes to be the first line that starts with CR or LF; the whole length when none.
std::size_t FirstHeaderLength(const std::string& answer) {
  for (std::size_t i = answer.find('\n'); i != std::string::npos && i + 1 < answer.size(); i = answer.find('\n', i + 1))
    if (answer[i + 1] == '\r' || answer[i + 1] == '\n') return i + 1;
  return answer.size();
}

bool ContainsNoCase(const std::string& text, const std::string& word) {
  return QByteArray::fromStdString(text).toLower().contains(QByteArray::fromStdString(word));
}

// A success must be a 200 whose header ended and fitted under the cap, and whose body
// is no larger than the cap and came from the answer (word for word unless chunked); a
// failure must say why and leave the caller's bytes alone.
bool Consistent(const DownloadResult& result, const std::string& answer, const QByteArray& body,
                const QByteArray& before) {
  if (result.Ok != (result.Kind == DownloadFailure::None)) return false;
  if (!result.Ok) return body == before && !result.Reason.isEmpty();
  const std::size_t header = FirstHeaderLength(answer);
  if (result.HttpStatus != 200 || header == answer.size() || header > kMaxHeaderBytes || body.size() > kMaxBytes)
    return false;
  if (ContainsNoCase(answer, "chunked")) return static_cast<std::size_t>(body.size()) < answer.size();
  return answer.find(body.toStdString(), header) != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  RawAnswerServer& server = Server();
  const std::string answer(reinterpret_cast<const char*>(data), size);
  server.SetAnswer(answer);
  DownloadLimits limits;
  limits.MaxHeaderBytes = kMaxHeaderBytes;
  limits.MaxBytes = kMaxBytes;
  limits.ConnectTimeoutSeconds = 5;
  limits.BaseSeconds = 10;
  DownloadControl control;
  control.ExpectedBytes = kExpectedBytes;
  const QByteArray before = "the frame held before";
  QByteArray body = before;
  // A Downloader of its own, so that no connection is kept from one input to the next.
  const DownloadResult result =
      Downloader(limits).Fetch(server.BaseUrl() + "/vis/a000000/a005100/a005187/frames/moon.0001.jpg", body, control);
  if (!Consistent(result, answer, body, before)) __builtin_trap();
  return 0;
}
