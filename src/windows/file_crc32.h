// CRC-32 of IEEE 802.3 (the checksum of Ethernet, zlib and PNG): reflected polynomial
// 0xEDB88320, register preset to all ones, result complemented. The About window shows
// it for the program's own executable so that a user can compare it with a published value.
#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>

inline constexpr std::uint32_t kCrc32Preset = 0xFFFFFFFFu;

// Feeds Count bytes into a running register; start with kCrc32Preset and complement
// the register after the last byte.
std::uint32_t Crc32Update(std::uint32_t Register, const unsigned char* Bytes, std::size_t Count);

// The CRC-32 of the whole file, read in blocks of 65535 bytes; nothing when the file
// cannot be opened or read.
std::optional<std::uint32_t> FileCrc32(const QString& Path);

// Eight upper-case hexadecimal digits, leading zeros kept ("352441C2").
QString Crc32Text(std::uint32_t Crc);
