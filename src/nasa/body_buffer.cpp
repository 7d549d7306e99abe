#include "nasa/body_buffer.h"

#include <algorithm>
#include <new>

namespace {

// The first room taken for a body of unknown length.
constexpr long long kFirstRoom = 64 << 10;

}  // namespace

bool BodyBuffer::Reserve(long long needed, long long announced) {
  if (needed <= Bytes.capacity()) return true;
  const long long room = announced >= needed && announced <= Cap
                             ? announced
                             : std::min(Cap, std::max({needed, 2LL * Bytes.capacity(), kFirstRoom}));
  try {
    Bytes.reserve(static_cast<qsizetype>(room));
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

bool BodyBuffer::Append(const char* data, std::size_t size, long long announced) {
  const long long needed = Bytes.size() + static_cast<long long>(size);
  if (needed > Cap || !Reserve(needed, announced)) return false;
  Bytes.append(data, static_cast<qsizetype>(size));
  return true;
}
