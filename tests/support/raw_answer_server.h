// A server on 127.0.0.1 that answers every request with the same bytes, whatever they
// are, and closes the connection: for answers no HTTP library would send (a header cut
// off, a broken status line). One connection at a time, from a background thread.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

class RawAnswerServer {
 public:
  // Aborts when no port can be bound: nothing can be tested without one.
  RawAnswerServer();
  // Stops accepting and joins the thread.
  ~RawAnswerServer();
  RawAnswerServer(const RawAnswerServer&) = delete;
  RawAnswerServer& operator=(const RawAnswerServer&) = delete;

  std::string BaseUrl() const { return "http://127.0.0.1:" + std::to_string(Port); }
  // The answer to every request from now on.
  void SetAnswer(std::string bytes);

 private:
  void Serve();
  std::string CurrentAnswer();

  int Socket = -1;
  int Port = 0;
  std::atomic<bool> Stopping = false;
  std::mutex Lock;
  std::string Answer;
  std::thread Thread;
};
