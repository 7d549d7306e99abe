// Random truncations and bit flips of valid frames through the decoders: no crash,
// no sanitizer report, nothing on stderr, and any picture that does decode is sound.
// ORVANEL_FUZZ_ITERATIONS raises the count (e.g. for the AddressSanitizer build).
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "nasa/image_decode.h"
#include "support/stderr_capture.h"
#include "support/test_images.h"

namespace {

int Iterations() {
  const char* text = std::getenv("ORVANEL_FUZZ_ITERATIONS");
  return text ? std::max(1, std::atoi(text)) : 1500;
}

// Either cuts the bytes at a random length or flips one to eight random bits.
QByteArray Mutate(const QByteArray& good, std::mt19937& random) {
  QByteArray bytes = good;
  if (random() % 4 == 0) {
    bytes.truncate(static_cast<qsizetype>(random() % static_cast<std::uint32_t>(good.size())));
    return bytes;
  }
  const int flips = 1 + static_cast<int>(random() % 8);
  for (int i = 0; i < flips; ++i)
    bytes[random() % static_cast<std::uint32_t>(bytes.size())] ^= static_cast<char>(1u << (random() % 8));
  return bytes;
}

void ExpectSurvives(const QByteArray& good, DecodeResult (*decode)(const QByteArray&, QImage&), unsigned seed) {
  std::mt19937 random(seed);
  StderrCapture errors;
  int decoded = 0;
  for (int i = 0; i < Iterations(); ++i) {
    QImage image;
    if (!decode(Mutate(good, random), image)) continue;
    ++decoded;
    ASSERT_EQ(image.format(), QImage::Format_BGR888) << "iteration " << i;
    ASSERT_LE(static_cast<long long>(image.width()) * image.height(), kMaxDecodedPixels) << "iteration " << i;
  }
  EXPECT_EQ(errors.Text(), "");
  // Flips in pixel data leave a decodable picture: the loop did exercise the decoder.
  EXPECT_GT(decoded, 0);
}

TEST(DecodeRobustness, DamagedJpegs) { ExpectSurvives(MakeJpeg(96, 80), DecodeJpeg, 1u); }

TEST(DecodeRobustness, DamagedTiffsUncompressed) {
  ExpectSurvives(MakeTiffRgb8(64, 48, {TiffCompression::None, 5}), DecodeTiff, 2u);
}

TEST(DecodeRobustness, DamagedTiffsLzw) { ExpectSurvives(MakeTiffRgb8(64, 48, {TiffCompression::Lzw, 16}), DecodeTiff, 3u); }

TEST(DecodeRobustness, DamagedBytesOfEitherKind) {
  ExpectSurvives(MakeJpeg(40, 40), DecodeImage, 4u);
  ExpectSurvives(MakeTiffRgb8(40, 40, {TiffCompression::Lzw, 0}), DecodeImage, 5u);
}

}  // namespace
