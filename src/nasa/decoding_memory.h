// The memory the picture decoders take at once, shared by every thread of the process.
// The window fetches and the prefetcher checks several frames at a time; a server that
// answers each with a huge picture (a progressive JPEG of 33 million pixels takes
// 200 MB while it decodes) would otherwise have them all decode at once. A decode
// takes its share before it allocates its pixels and gives it back when done; a share
// that does not fit waits until enough comes back, and a picture larger than the
// whole budget decodes alone.
#pragma once

#include <condition_variable>
#include <mutex>

inline constexpr long long kDecodingBytes = 256LL << 20;  // 256 MiB

class DecodingMemory {
 public:
  explicit DecodingMemory(long long budgetBytes) : Budget(budgetBytes) {}
  DecodingMemory(const DecodingMemory&) = delete;
  DecodingMemory& operator=(const DecodingMemory&) = delete;

  // Holds bytes of the budget from its making, which waits for them, to its end.
  class Share {
   public:
    Share(DecodingMemory& memory, long long bytes);
    ~Share();
    Share(const Share&) = delete;
    Share& operator=(const Share&) = delete;

   private:
    DecodingMemory& Memory;
    long long Bytes;
  };

 private:
  std::mutex Lock;
  std::condition_variable Returned;
  const long long Budget;
  long long Held = 0;
};

// The budget of the process's decoders, kDecodingBytes.
DecodingMemory& ProcessDecodingMemory();
