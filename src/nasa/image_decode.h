// Decoding NASA's frames from memory into 24-bit images (QImage::Format_BGR888).
//
// JPEG: libjpeg-turbo with the slow, most accurate integer inverse DCT (JDCT_ISLOW).
// A library error or a corrupt-data warning (a truncated or damaged stream) fails the
// decode, so a damaged frame is reported rather than shown with grey blocks. An EXIF
// orientation tag is ignored.
// TIFF: every file that libtiff's RGBA reader accepts (any compression, strips or
// tiles of any size, 1 to 16 bits a sample), reduced to 8 bits a channel; alpha is
// dropped (unassociated alpha is not multiplied into the colours first).
// Neither library writes to stderr from here. On failure the image is left unchanged.
#pragma once

#include <QByteArray>
#include <QImage>

// Pictures larger than this are refused before any pixel memory is taken
// (NASA's largest frame, 5760 x 3240, has 18.7 million pixels).
inline constexpr long long kMaxDecodedPixels = 32LL << 20;

bool DecodeJpeg(const QByteArray& bytes, QImage& image);
bool DecodeTiff(const QByteArray& bytes, QImage& image);
// A JPEG or a TIFF, told apart by the first bytes; anything else fails.
bool DecodeImage(const QByteArray& bytes, QImage& image);
