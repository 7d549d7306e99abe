#include "local_http_server.h"

#include <stdexcept>

LocalHttpServer::LocalHttpServer(const std::function<void(httplib::Server&)>& routes) {
  routes(server_);
  // Clients keep connections alive; an idle one holds up stop() for this long.
  server_.set_keep_alive_timeout(1);
  // The socket listens from here on: connections made now wait in its backlog.
  port_ = server_.bind_to_any_port("127.0.0.1");
  if (port_ < 0) throw std::runtime_error("LocalHttpServer: cannot bind 127.0.0.1");
  thread_ = std::thread([this] { server_.listen_after_bind(); });
  // stop() only takes effect once the accept loop runs; this httplib (0.11) has no
  // wait_until_ready, so wait for is_running(), which the loop sets on entry.
  while (!server_.is_running()) std::this_thread::yield();
}

LocalHttpServer::~LocalHttpServer() {
  server_.stop();
  thread_.join();
}

std::string LocalHttpServer::BaseUrl() const { return "http://127.0.0.1:" + std::to_string(port_); }
