// The body of the decoder targets: the bytes go to the decoder uncopied (so libFuzzer
// would see a write into them), and a picture that does decode must be 24-bit and
// within the pixel cap.
#pragma once

#include <cstddef>
#include <cstdint>

#include "nasa/image_decode.h"

inline int FuzzDecoder(DecodeResult (*decode)(const QByteArray&, QImage&), const std::uint8_t* data, std::size_t size) {
  QImage image;
  if (decode(QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)), image) &&
      (image.format() != QImage::Format_BGR888 ||
       static_cast<long long>(image.width()) * image.height() > kMaxDecodedPixels))
    __builtin_trap();
  return 0;
}
