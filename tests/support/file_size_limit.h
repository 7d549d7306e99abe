// A full disk without a disk: while a FileSizeLimit lives, no file of this process
// grows past the given size. A write reaching the limit stores what fits, the next
// is refused with EFBIG (SIGXFSZ, which would end the process, is ignored meanwhile),
// just as a filling disk stores a part and then says ENOSPC.
#pragma once

#include <sys/resource.h>

#include <csignal>

class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) : OldSignal(std::signal(SIGXFSZ, SIG_IGN)) {
    getrlimit(RLIMIT_FSIZE, &Old);
    const rlimit limited{bytes, Old.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &Old);
    std::signal(SIGXFSZ, OldSignal);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  void (*OldSignal)(int);
  rlimit Old{};
};
