#include "nasa/image_decode.h"

#include <algorithm>

namespace {

bool StartsWith(const QByteArray& bytes, const char* signature, int length) {
  return bytes.size() >= length && std::equal(signature, signature + length, bytes.constData());
}

}  // namespace

bool DecodeImage(const QByteArray& bytes, QImage& image) {
  if (StartsWith(bytes, "\xFF\xD8\xFF", 3)) return DecodeJpeg(bytes, image);
  // Little- and big-endian TIFF, classic (42) and BigTIFF (43).
  if (StartsWith(bytes, "II*\0", 4) || StartsWith(bytes, "MM\0*", 4) || StartsWith(bytes, "II+\0", 4) ||
      StartsWith(bytes, "MM\0+", 4))
    return DecodeTiff(bytes, image);
  return false;
}
