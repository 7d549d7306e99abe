// JPEG and TIFF decoding from memory into 24-bit B, G, R images.
#include <gtest/gtest.h>

#include <cstring>

#include "nasa/image_decode.h"
#include "support/stderr_capture.h"
#include "support/test_images.h"
#include "support/tiff_pattern_check.h"

namespace {

QImage Marker() {
  QImage image(5, 4, QImage::Format_BGR888);
  image.fill(Qt::green);
  return image;
}

int Grey(const QImage& image, int x, int y) {
  const unsigned char* p = image.constScanLine(y) + 3 * x;
  return (p[0] + p[1] + p[2]) / 3;
}

// JPEG is lossy: 8 grey levels of 255 cover the quantisation error of a flat area
// at quality 90, far below the disc's contrast of 128.
constexpr int kJpegTolerance = 8;

TEST(DecodeJpeg, GivesThe24BitPictureOfTheDisc) {
  for (const QSize size : {QSize(730, 730), QSize(97, 61), QSize(1, 1)}) {
    QImage image;
    ASSERT_TRUE(DecodeJpeg(MakeJpeg(size.width(), size.height()), image)) << size.width();
    ASSERT_EQ(image.format(), QImage::Format_BGR888);
    ASSERT_EQ(image.size(), size);
    if (size.width() < 10) continue;
    EXPECT_NEAR(Grey(image, size.width() / 2, size.height() / 2), kDiscGrey, kJpegTolerance);
    EXPECT_NEAR(Grey(image, 0, 0), 0, kJpegTolerance);
    EXPECT_NEAR(Grey(image, size.width() - 1, size.height() - 1), 0, kJpegTolerance);
  }
}

// Every decoded pixel away from the disc's edge shows the right side of it. The margin
// is one DCT block: quantising a block that holds a sharp edge rings through all of it.
TEST(DecodeJpeg, KeepsTheGeometry) {
  const int w = 200, h = 120;
  QImage image;
  ASSERT_TRUE(DecodeJpeg(MakeJpeg(w, h), image));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const bool inside = InsideDisc(w, h, x, y);
      bool nearEdge = false;
      for (int d = -8; d <= 8; ++d)
        nearEdge = nearEdge || InsideDisc(w, h, x + d, y) != inside || InsideDisc(w, h, x, y + d) != inside;
      if (!nearEdge) {
        ASSERT_NEAR(Grey(image, x, y), inside ? kDiscGrey : 0, kJpegTolerance) << x << "," << y;
      }
    }
}

// libjpeg turns progressive and greyscale frames into B, G, R; it has no CMYK conversion.
TEST(DecodeJpeg, ProgressiveAndGreyFramesDecodeCmykIsRefused) {
  for (const JpegLayout layout : {JpegLayout::Progressive, JpegLayout::Grey}) {
    QImage image;
    ASSERT_TRUE(DecodeJpeg(MakeJpeg(97, 61, 90, layout), image));
    ASSERT_EQ(image.size(), QSize(97, 61));
    EXPECT_NEAR(Grey(image, 48, 30), kDiscGrey, kJpegTolerance);
    EXPECT_NEAR(Grey(image, 0, 0), 0, kJpegTolerance);
  }
  StderrCapture errors;
  QImage image = Marker();
  EXPECT_FALSE(DecodeJpeg(MakeJpeg(16, 16, 90, JpegLayout::Cmyk), image));
  EXPECT_EQ(image, Marker());
  EXPECT_EQ(errors.Text(), "");
}

TEST(DecodeJpeg, DamagedOrForeignBytesFailAndLeaveTheImage) {
  const QByteArray good = MakeJpeg(120, 90);
  QByteArray truncated = good.left(good.size() / 2);
  QByteArray corruptTail = good;
  std::memset(corruptTail.data() + good.size() * 3 / 4, 0x5A, static_cast<std::size_t>(good.size() / 4 - 2));
  QByteArray noEnd = good.left(good.size() - 2);  // without the end-of-image marker
  StderrCapture errors;
  for (const QByteArray& bytes : {truncated, corruptTail, noEnd, QByteArray(), QByteArray("\xFF\xD8\xFF", 3),
                                  QByteArray("GIF89a, not a JPEG"), MakeTiffRgb8(8, 8)}) {
    QImage image = Marker();
    EXPECT_FALSE(DecodeJpeg(bytes, image)) << bytes.size();
    EXPECT_EQ(image, Marker());
  }
  EXPECT_EQ(errors.Text(), "");
}

// Offset of the frame size in the start-of-frame segment (FFC0: length, precision, height, width).
qsizetype StartOfFrame(const QByteArray& jpeg) { return jpeg.indexOf(QByteArray("\xFF\xC0", 2)); }

TEST(DecodeJpeg, RefusesPicturesOverTheSizeLimit) {
  QByteArray huge = MakeJpeg(16, 16);
  const qsizetype sof = StartOfFrame(huge);
  ASSERT_GT(sof, 0);
  for (int i : {5, 6, 7, 8}) huge[sof + i] = '\xFF';  // 65535 x 65535
  QImage image = Marker();
  EXPECT_FALSE(DecodeJpeg(huge, image));
  EXPECT_EQ(image, Marker());
}

TEST(DecodeTiff, EightBitRgbOfEveryLayoutIsExact) {
  const struct {
    TiffOptions Options;
    const char* Name;
  } layouts[] = {{{TiffCompression::None, 0}, "uncompressed"},
                 {{TiffCompression::Lzw, 0}, "LZW"},
                 {{TiffCompression::None, 7}, "striped"},
                 {{TiffCompression::Lzw, 16}, "LZW striped"}};
  for (const auto& layout : layouts) {
    SCOPED_TRACE(layout.Name);
    QImage image;
    ASSERT_TRUE(DecodeTiff(MakeTiffRgb8(301, 259, layout.Options), image));
    ExpectTiffPattern(image, 301, 259);
  }
}

// Tiles of any side, edge tiles padded, uncompressed and LZW.
TEST(DecodeTiff, TiledPicturesOfEveryTileSizeAreExact) {
  for (const TiffOptions options : {TiffOptions{TiffCompression::None, 0, 16}, TiffOptions{TiffCompression::None, 0, 48},
                                    TiffOptions{TiffCompression::Lzw, 0, 32}, TiffOptions{TiffCompression::None, 0, 256}}) {
    SCOPED_TRACE(options.TileSize);
    QImage image;
    ASSERT_TRUE(DecodeTiff(MakeTiffRgb8(16, 16, options), image));
    ExpectTiffPattern(image, 16, 16);
    ASSERT_TRUE(DecodeTiff(MakeTiffRgb8(75, 50, options), image));
    ExpectTiffPattern(image, 75, 50);
  }
}

// Unassociated alpha is a mask beside the colours: the colours come out as stored, not darkened.
TEST(DecodeTiff, UnassociatedAlphaIsDropped) {
  for (const int tileSize : {0, 16}) {
    QImage image;
    ASSERT_TRUE(DecodeTiff(MakeTiffRgb8(40, 30, {.TileSize = tileSize, .UnassociatedAlpha = true}), image));
    ExpectTiffPattern(image, 40, 30);
  }
}

// A little-endian unsigned value of `size` bytes at `offset`; 0 past the end.
std::uint32_t LittleEndian(const QByteArray& bytes, qsizetype offset, int size) {
  if (offset < 0 || offset + size > bytes.size()) return 0;
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[offset + i]);
  return value;
}

// The IFD entry of `tag` in a little-endian TIFF made by MakeTiffRgb8; -1 when absent.
qsizetype IfdEntry(const QByteArray& tiff, std::uint16_t tag) {
  const qsizetype ifd = LittleEndian(tiff, 4, 4);
  const std::uint32_t count = LittleEndian(tiff, ifd, 2);
  for (std::uint32_t i = 0; i < count; ++i) {
    const qsizetype entry = ifd + 2 + 12 * static_cast<qsizetype>(i);
    if (LittleEndian(tiff, entry, 2) == tag) return entry;
  }
  return -1;
}

TEST(DecodeTiff, DamagedOrForeignBytesFailAndLeaveTheImage) {
  const QByteArray good = MakeTiffRgb8(64, 48, {TiffCompression::Lzw, 8});
  QByteArray huge = MakeTiffRgb8(8, 8);
  for (std::uint16_t tag : {256, 257}) {  // ImageWidth and ImageLength, as 16-bit values
    const qsizetype entry = IfdEntry(huge, tag);
    ASSERT_GT(entry, 0);
    huge[entry + 8] = '\x60';
    huge[entry + 9] = '\xEA';  // 60000
  }
  StderrCapture errors;
  for (const QByteArray& bytes : {good.left(good.size() / 2), good.left(7), huge, QByteArray(), MakeJpeg(8, 8),
                                  QByteArray("II*\0garbage", 11), QByteArray("MM\0*\0\0\0\x08", 8)}) {
    QImage image = Marker();
    EXPECT_FALSE(DecodeTiff(bytes, image)) << bytes.size();
    EXPECT_EQ(image, Marker());
  }
  EXPECT_EQ(errors.Text(), "");
}

TEST(DecodeImage, TellsJpegAndTiffApartByContent) {
  QImage jpeg, tiff, image = Marker();
  ASSERT_TRUE(DecodeImage(MakeJpeg(33, 22), jpeg));
  EXPECT_EQ(jpeg.size(), QSize(33, 22));
  ASSERT_TRUE(DecodeImage(MakeTiffRgb8(33, 22), tiff));
  ExpectTiffPattern(tiff, 33, 22);
  EXPECT_FALSE(DecodeImage("BM not a supported picture", image));
  EXPECT_FALSE(DecodeImage(QByteArray(), image));
  EXPECT_EQ(image, Marker());
}
// Every scan of a progressive picture is a pass over all of it: a picture of one scan
// too many is refused by the decode and the check alike.
TEST(DecodeJpeg, RefusesPicturesOfTooManyScans) {
  const QByteArray twoScans = MakeJpeg(97, 61, 90, JpegLayout::GreyTwoScans);
  const struct {
    int Scans;
    const char* Reason;
  } cases[] = {{100, ""}, {101, "damaged JPEG data: more than 100 scans"}};
  for (const auto& c : cases) {
    const QByteArray bytes = RepeatLastScan(twoScans, c.Scans - 2);
    QImage image = Marker();
    EXPECT_EQ(DecodeJpeg(bytes, image).Reason, QLatin1String(c.Reason)) << c.Scans;
    EXPECT_EQ(CheckJpeg(bytes).Reason, QLatin1String(c.Reason)) << c.Scans;
    EXPECT_EQ(image.size(), QByteArray(c.Reason).isEmpty() ? QSize(97, 61) : Marker().size()) << c.Scans;
  }
}

// A picture that fails says why, and the memory-light check agrees with the decode.
TEST(DecodeImage, SaysWhyAPictureFailed) {
  QByteArray huge = MakeJpeg(16, 16);
  const qsizetype sof = StartOfFrame(huge);
  ASSERT_GT(sof, 0);
  for (int i : {5, 7}) huge[sof + i] = '\x17';
  for (int i : {6, 8}) huge[sof + i] = '\x70';  // 6000 x 6000, within libjpeg's limits
  const QByteArray jpeg = MakeJpeg(120, 90);
  const QByteArray tiff = MakeTiffRgb8(64, 48, {TiffCompression::Lzw, 8});
  const struct {
    QByteArray Bytes;
    const char* Reason;  // the start of the reason
  } cases[] = {{QByteArray(), "not a JPEG or TIFF picture"},
               {QByteArray("GIF89a"), "not a JPEG or TIFF picture"},
               {huge, "6000 x 6000 pixels is too large"},
               {jpeg.left(jpeg.size() / 2), "damaged JPEG data: "},
               {tiff.left(tiff.size() / 2), "damaged TIFF data: "},
               {jpeg, ""},
               {tiff, ""}};
  for (const auto& c : cases) {
    QImage image;
    const DecodeResult decoded = DecodeImage(c.Bytes, image);
    EXPECT_EQ(decoded.Ok, QByteArray(c.Reason).isEmpty()) << c.Reason;
    EXPECT_EQ(decoded.Reason.left(static_cast<qsizetype>(qstrlen(c.Reason))), QLatin1String(c.Reason));
    EXPECT_EQ(CheckImage(c.Bytes).Reason, decoded.Reason);
  }
}

}  // namespace
