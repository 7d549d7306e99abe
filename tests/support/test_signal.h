// A flag threads wait on: a server handler pauses on it until the test ends, and a
// test waits on it for what a worker or a handler reports, never sleeping to wait.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

class TestSignal {
 public:
  void Raise() {
    std::lock_guard lock(mutex_);
    raised_ = true;
    changed_.notify_all();
  }
  void Reset() {
    std::lock_guard lock(mutex_);
    raised_ = false;
  }
  // True when raised within limit.
  template <class Rep, class Period>
  bool Wait(std::chrono::duration<Rep, Period> limit) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, limit, [this] { return raised_; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool raised_ = false;
};
