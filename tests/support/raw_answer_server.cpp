#include "raw_answer_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>

namespace {

// False when the client left (or stalled) before its request ended.
bool ReadRequest(int client) {
  const timeval wait{2, 0};
  setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
  std::string request;
  char buffer[4096];
  while (request.find("\r\n\r\n") == std::string::npos) {
    const ssize_t n = recv(client, buffer, sizeof buffer, 0);
    if (n <= 0) return false;
    request.append(buffer, static_cast<std::size_t>(n));
  }
  return true;
}

void SendAll(int client, const std::string& bytes) {
  for (std::size_t sent = 0; sent < bytes.size();) {
    const ssize_t n = send(client, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) return;
    sent += static_cast<std::size_t>(n);
  }
}

}  // namespace

RawAnswerServer::RawAnswerServer() {
  Socket = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (Socket < 0 || bind(Socket, reinterpret_cast<sockaddr*>(&address), length) != 0 || listen(Socket, 16) != 0 ||
      getsockname(Socket, reinterpret_cast<sockaddr*>(&address), &length) != 0)
    std::abort();
  Port = ntohs(address.sin_port);
  Thread = std::thread([this] { Serve(); });
}

RawAnswerServer::~RawAnswerServer() {
  Stopping = true;
  shutdown(Socket, SHUT_RDWR);  // wakes the accept below
  Thread.join();
  close(Socket);
}

void RawAnswerServer::SetAnswer(std::string bytes) {
  const std::lock_guard guard(Lock);
  Answer = std::move(bytes);
}

std::string RawAnswerServer::CurrentAnswer() {
  const std::lock_guard guard(Lock);
  return Answer;
}

void RawAnswerServer::Serve() {
  while (!Stopping) {
    const int client = accept4(Socket, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0) continue;
    if (ReadRequest(client)) SendAll(client, CurrentAnswer());
    close(client);
  }
}
