#include "nasa/decoding_memory.h"

DecodingMemory::Share::Share(DecodingMemory& memory, long long bytes) : Memory(memory), Bytes(bytes) {
  std::unique_lock lock(Memory.Lock);
  Memory.Returned.wait(lock, [this] { return Memory.Held == 0 || Memory.Held + Bytes <= Memory.Budget; });
  Memory.Held += Bytes;
}

DecodingMemory::Share::~Share() {
  {
    const std::lock_guard lock(Memory.Lock);
    Memory.Held -= Bytes;
  }
  Memory.Returned.notify_all();
}

DecodingMemory& ProcessDecodingMemory() {
  static DecodingMemory memory(kDecodingBytes);
  return memory;
}
