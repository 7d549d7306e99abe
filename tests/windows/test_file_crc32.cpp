// FileCrc32 against the published CRC-32 check values and, for files that end exactly on
// the 65535-byte read blocks or around them, against a bit-by-bit CRC written from the
// polynomial's definition (no table, no blocks).
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "windows/bitwise_crc32.h"
#include "windows/file_crc32.h"

namespace {

class FileCrc32Test : public ::testing::Test {
 protected:
  QString Write(const QByteArray& bytes) {
    const QString path = Dir.filePath(QString("file%1").arg(++Count));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
  }
  static QByteArray RandomBytes(int size, unsigned seed) {
    std::mt19937 engine(seed);
    QByteArray bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(engine() & 0xFF);
    return bytes;
  }
  QTemporaryDir Dir;
  int Count = 0;
};

TEST_F(FileCrc32Test, PublishedCheckValues) {
  EXPECT_EQ(FileCrc32(Write("abc")), 0x352441C2u);
  EXPECT_EQ(FileCrc32(Write("123456789")), 0xCBF43926u);
  EXPECT_EQ(FileCrc32(Write("The quick brown fox jumps over the lazy dog")), 0x414FA339u);
  EXPECT_EQ(FileCrc32(Write("")), 0x00000000u);
  EXPECT_EQ(FileCrc32(Write(QByteArray(32, '\xFF'))), 0xFF6CAB0Bu);
}

// A length that is a multiple of the block ends with one empty read, which must not
// change the result; lengths one either side cross a block boundary.
TEST_F(FileCrc32Test, FilesAroundTheReadBlocksMatchTheBitwiseCrc) {
  for (const int size : {1, 65534, 65535, 65536, 131069, 131070, 131071, 200000}) {
    SCOPED_TRACE(size);
    const QByteArray bytes = RandomBytes(size, static_cast<unsigned>(size));
    EXPECT_EQ(FileCrc32(Write(bytes)), BitwiseCrc32(bytes));
  }
}

TEST_F(FileCrc32Test, RunningRegisterEqualsOneUpdate) {
  const QByteArray bytes = RandomBytes(1000, 7);
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
  const std::uint32_t whole = ~Crc32Update(kCrc32Preset, data, 1000);
  const std::uint32_t split = ~Crc32Update(Crc32Update(kCrc32Preset, data, 333), data + 333, 667);
  EXPECT_EQ(whole, split);
  EXPECT_EQ(whole, BitwiseCrc32(bytes));
}

TEST_F(FileCrc32Test, UnreadablePathsGiveNothing) {
  EXPECT_EQ(FileCrc32(Dir.filePath("missing")), std::nullopt);
  EXPECT_EQ(FileCrc32(Dir.path()), std::nullopt) << "a folder is not a file";
  EXPECT_EQ(FileCrc32(QString()), std::nullopt);
}

TEST(Crc32Text, EightUpperCaseDigitsWithLeadingZeros) {
  EXPECT_EQ(Crc32Text(0x352441C2u), "352441C2");
  EXPECT_EQ(Crc32Text(0x0000ABCDu), "0000ABCD");
  EXPECT_EQ(Crc32Text(0u), "00000000");
  EXPECT_EQ(Crc32Text(0xFFFFFFFFu), "FFFFFFFF");
}

}  // namespace
