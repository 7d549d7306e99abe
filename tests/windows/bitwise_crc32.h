// CRC-32 (IEEE 802.3) computed bit by bit from the polynomial's definition: a reference
// that shares neither the table nor the block reading of FileCrc32.
#pragma once

#include <QByteArray>

#include <cstdint>

inline std::uint32_t BitwiseCrc32(const QByteArray& bytes) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (const char c : bytes) {
    crc ^= static_cast<unsigned char>(c);
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}
