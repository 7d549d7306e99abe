// A cpp-httplib server on 127.0.0.1 at a free port, serving from a background thread
// for the life of the object. Tests use it in place of NASA's server.
//
//   LocalHttpServer server([](httplib::Server& s) {
//     s.Get("/a.txt", [](const httplib::Request&, httplib::Response& r) { r.set_content("x", "text/plain"); });
//   });
//   DownloadToStream(server.Url("/a.txt"), bytes);
#pragma once

#include <httplib.h>

#include <functional>
#include <string>
#include <thread>

class LocalHttpServer {
 public:
  // routes registers the handlers; they are in place before the first request is accepted.
  // Throws std::runtime_error when no port can be bound.
  explicit LocalHttpServer(const std::function<void(httplib::Server&)>& routes);
  // Stops accepting, lets running handlers finish and joins the thread.
  ~LocalHttpServer();
  LocalHttpServer(const LocalHttpServer&) = delete;
  LocalHttpServer& operator=(const LocalHttpServer&) = delete;

  int Port() const { return port_; }
  // "http://127.0.0.1:PORT", the form NasaServer() takes.
  std::string BaseUrl() const;
  std::string Url(const std::string& path) const { return BaseUrl() + path; }

 private:
  httplib::Server server_;
  int port_ = -1;
  std::thread thread_;
};
