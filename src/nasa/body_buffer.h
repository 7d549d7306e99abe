// A download's body collected in memory under a size cap. The buffer takes the
// announced length at once when there is one; otherwise it doubles as the body
// grows, but never past the cap, so an endless body stops with about the cap in
// memory rather than twice it.
#pragma once

#include <QByteArray>
#include <cstddef>

class BodyBuffer {
 public:
  explicit BodyBuffer(long long capBytes) : Cap(capBytes) {}

  // Adds size bytes; false, adding nothing, when they would pass the cap or memory
  // runs out. announced is the server's length of the whole body, -1 when unknown.
  bool Append(const char* data, std::size_t size, long long announced);
  // The room the buffer holds, used or not.
  qsizetype Capacity() const { return Bytes.capacity(); }
  QByteArray Take() { return std::move(Bytes); }

 private:
  bool Reserve(long long needed, long long announced);

  QByteArray Bytes;
  long long Cap;
};
