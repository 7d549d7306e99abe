#include "nasa/image_decode.h"

#include <algorithm>

namespace {

bool StartsWith(const QByteArray& bytes, const char* signature, int length) {
  return bytes.size() >= length && std::equal(signature, signature + length, bytes.constData());
}

bool IsJpeg(const QByteArray& bytes) { return StartsWith(bytes, "\xFF\xD8\xFF", 3); }

// Little- and big-endian TIFF, classic (42) and BigTIFF (43).
bool IsTiff(const QByteArray& bytes) {
  return StartsWith(bytes, "II*\0", 4) || StartsWith(bytes, "MM\0*", 4) || StartsWith(bytes, "II+\0", 4) ||
         StartsWith(bytes, "MM\0+", 4);
}

DecodeResult NeitherKind() { return DecodeResult::Failure(QStringLiteral("not a JPEG or TIFF picture")); }

}  // namespace

QString TooManyPixels(long long width, long long height) {
  return QStringLiteral("%1 x %2 pixels is too large").arg(width).arg(height);
}

DecodeResult DecodeImage(const QByteArray& bytes, QImage& image) {
  if (IsJpeg(bytes)) return DecodeJpeg(bytes, image);
  if (IsTiff(bytes)) return DecodeTiff(bytes, image);
  return NeitherKind();
}

DecodeResult CheckImage(const QByteArray& bytes) {
  if (IsJpeg(bytes)) return CheckJpeg(bytes);
  QImage discarded;
  if (IsTiff(bytes)) return DecodeTiff(bytes, discarded);
  return NeitherKind();
}
