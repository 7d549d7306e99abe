// Decoding NASA's frames from memory into 24-bit images (QImage::Format_BGR888).
//
// JPEG: libjpeg-turbo with the slow, most accurate integer inverse DCT (JDCT_ISLOW).
// A library error or a corrupt-data warning (a truncated or damaged stream) fails the
// decode, so a damaged frame is reported rather than shown with grey blocks, and so
// does a progressive picture of more than 100 scans. An EXIF orientation tag is ignored.
// TIFF: every file that libtiff's RGBA reader accepts (any compression, strips or
// tiles of any size, 1 to 16 bits a sample), reduced to 8 bits a channel; alpha is
// dropped (unassociated alpha is not multiplied into the colours first).
// Every decode first waits for its share of the process's decoding memory
// (decoding_memory.h). Neither library writes to stderr from here. On failure the
// image is left unchanged and the result says why, in a few words ("not a JPEG or
// TIFF picture", "5792 x 5792 pixels is too large", the library's own message for
// damaged data, ...).
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Pictures larger than this are refused before any pixel memory is taken
// (NASA's largest frame, 5760 x 3240, has 18.7 million pixels).
inline constexpr long long kMaxDecodedPixels = 32LL << 20;

// Whether a picture decoded and, when not, why.
struct DecodeResult {
  bool Ok = false;
  QString Reason;

  explicit operator bool() const { return Ok; }
  static DecodeResult Success() { return {true, {}}; }
  static DecodeResult Failure(const QString& reason) { return {false, reason}; }
};

DecodeResult DecodeJpeg(const QByteArray& bytes, QImage& image);
DecodeResult DecodeTiff(const QByteArray& bytes, QImage& image);
// A JPEG or a TIFF, told apart by the first bytes; anything else fails.
DecodeResult DecodeImage(const QByteArray& bytes, QImage& image);
// Whether bytes decode as DecodeImage would decode them, without keeping the picture:
// a JPEG is decoded one row at a time, so the check takes little memory.
DecodeResult CheckImage(const QByteArray& bytes);
DecodeResult CheckJpeg(const QByteArray& bytes);
// "W x H pixels is too large", for pictures over kMaxDecodedPixels.
QString TooManyPixels(long long width, long long height);
