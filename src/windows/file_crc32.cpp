#include "windows/file_crc32.h"

#include <QFile>

#include <array>
#include <vector>

namespace {

constexpr std::uint32_t kReflectedPolynomial = 0xEDB88320u;
constexpr qint64 kBlockSize = 65535;

constexpr std::array<std::uint32_t, 256> MakeCrcTable() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int bit = 0; bit < 8; ++bit) c = (c & 1u) ? kReflectedPolynomial ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}

constexpr std::array<std::uint32_t, 256> kCrcTable = MakeCrcTable();

}  // namespace

std::uint32_t Crc32Update(std::uint32_t Register, const unsigned char* Bytes, std::size_t Count) {
  for (std::size_t i = 0; i < Count; ++i) Register = kCrcTable[(Register ^ Bytes[i]) & 0xFFu] ^ (Register >> 8);
  return Register;
}

std::optional<std::uint32_t> FileCrc32(const QString& Path) {
  if (Path.isEmpty()) return std::nullopt;
  QFile file(Path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  std::vector<unsigned char> block(kBlockSize);
  std::uint32_t crc = kCrc32Preset;
  qint64 got = 0;
  // A file whose length is a multiple of the block size ends with one empty read.
  do {
    got = file.read(reinterpret_cast<char*>(block.data()), kBlockSize);
    if (got < 0) return std::nullopt;
    crc = Crc32Update(crc, block.data(), static_cast<std::size_t>(got));
  } while (got == kBlockSize);
  return ~crc;
}

QString Crc32Text(std::uint32_t Crc) {
  return QString::number(Crc, 16).rightJustified(8, QLatin1Char('0')).toUpper();
}
