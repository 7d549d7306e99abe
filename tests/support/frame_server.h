// A stand-in for NASA's frame server: every path under /vis/ gets the same small JPEG
// after LatencyMs, except the paths naming the refused file, which get 404. It counts
// the requests, so that a test can tell what came from the cache.
#pragma once

#include <QByteArray>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "support/local_http_server.h"
#include "support/test_images.h"

class FrameServer {
 public:
  explicit FrameServer(std::string refused = {}) : Refused(std::move(refused)) {}

  std::string BaseUrl() const { return Server.BaseUrl(); }

  const QByteArray Frame = MakeJpeg(64, 64);
  std::atomic<int> Requests{0};
  std::atomic<int> LatencyMs{0};

 private:
  void Answer(const httplib::Request& q, httplib::Response& r) {
    ++Requests;
    std::this_thread::sleep_for(std::chrono::milliseconds(LatencyMs.load()));
    if (!Refused.empty() && q.path.find(Refused) != std::string::npos) {
      r.status = 404;
      return;
    }
    r.set_content(Frame.constData(), Frame.size(), "image/jpeg");
  }

  const std::string Refused;
  // Last, so that it stops before the members its handler reads go.
  LocalHttpServer Server{[this](httplib::Server& s) {
    s.Get(R"(/vis/.*)", [this](const httplib::Request& q, httplib::Response& r) { Answer(q, r); });
  }};
};
