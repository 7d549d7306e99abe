// Test pictures made at test time, in memory: JPEG with libjpeg, TIFF with libtiff.
// No binary fixtures are kept in the repository. Header-only so that the benchmarks
// can make the same pictures.
//
//   MakeJpeg(730, 730)                      a grey disc on black, like NASA's Moon frames
//   MakeJpeg(96, 80, 90, JpegLayout::Grey)   the same as one greyscale component
//   RepeatLastScan(jpeg, 200)               a progressive JPEG sending its last scan 200 more times
//   MakeTiffRgb8(1920, 1080, {TiffCompression::Lzw, 16})   8-bit RGB, LZW, 16 rows a strip
//   MakeTiffRgb8(64, 48, {.TileSize = 16})  the same in 16 x 16 tiles
//   TiffPatternPixel(x, y)                  the colour MakeTiffRgb8 puts at (x, y)
#pragma once

#include <cstdio>  // jpeglib.h needs FILE and size_t declared first
#include <cstdlib>
#include <cstring>
#include <jpeglib.h>
#include <tiffio.h>

#include <QByteArray>
#include <algorithm>
#include <array>
#include <cstdint>
#include <stdexcept>
#include <vector>

// ---- JPEG ---------------------------------------------------------------------------

inline constexpr int kDiscGrey = 128;  // the disc's grey level in MakeJpeg

// Whether (x, y) lies inside the disc of MakeJpeg: centred, radius 0.4 x the shorter side.
inline bool InsideDisc(int width, int height, int x, int y) {
  const double r = 0.4 * std::min(width, height);
  const double dx = x + 0.5 - width / 2.0, dy = y + 0.5 - height / 2.0;
  return dx * dx + dy * dy <= r * r;
}

// Baseline 4:2:0 colour as NASA writes it, or another layout libjpeg can write.
// GreyTwoScans is progressive greyscale: the DC, then every AC coefficient at full precision.
enum class JpegLayout { Baseline, Progressive, Grey, Cmyk, GreyTwoScans };

// A JPEG of a grey disc on black.
inline QByteArray MakeJpeg(int width, int height, int quality = 90, JpegLayout layout = JpegLayout::Baseline) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr err{};
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  const bool grey = layout == JpegLayout::Grey || layout == JpegLayout::GreyTwoScans;
  const int components = grey ? 1 : layout == JpegLayout::Cmyk ? 4 : 3;
  cinfo.input_components = components;
  cinfo.in_color_space = grey ? JCS_GRAYSCALE : layout == JpegLayout::Cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  if (layout == JpegLayout::Progressive) jpeg_simple_progression(&cinfo);
  static const jpeg_scan_info kTwoScans[] = {{1, {0}, 0, 0, 0, 0}, {1, {0}, 1, 63, 0, 0}};
  if (layout == JpegLayout::GreyTwoScans) {
    cinfo.scan_info = kTwoScans;
    cinfo.num_scans = 2;
  }
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<unsigned char> row(static_cast<std::size_t>(width) * components);
  while (cinfo.next_scanline < cinfo.image_height) {
    const int y = static_cast<int>(cinfo.next_scanline);
    for (int x = 0; x < width; ++x)
      std::fill_n(&row[static_cast<std::size_t>(x) * components], components,
                  InsideDisc(width, height, x, y) ? kDiscGrey : 0);
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  QByteArray bytes(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
  std::free(buffer);
  return bytes;
}

// jpeg with its last scan (from its start-of-scan marker to the end-of-image one) sent
// times more. A scan of full-precision coefficients may legally come again.
inline QByteArray RepeatLastScan(const QByteArray& jpeg, int times) {
  const qsizetype start = jpeg.lastIndexOf(QByteArray("\xFF\xDA", 2));
  const qsizetype end = jpeg.size() - 2;
  QByteArray bytes = jpeg.left(end);
  for (int i = 0; i < times; ++i) bytes += jpeg.mid(start, end - start);
  return bytes + jpeg.right(2);
}

// ---- TIFF ---------------------------------------------------------------------------

enum class TiffCompression { None, Lzw };

struct TiffOptions {
  TiffCompression Compression = TiffCompression::None;
  int RowsPerStrip = 0;  // 0: the whole picture in one strip
  int TileSize = 0;      // square tiles of this side (a multiple of 16) instead of strips
  bool UnassociatedAlpha = false;  // a fourth sample, TiffPatternAlpha, not multiplied in
};

// The colour of MakeTiffRgb8 at (x, y): R = x, G = y, B = x + 2y (each mod 256),
// so every row and column differs and a transposed or shifted decode shows.
inline std::array<std::uint8_t, 3> TiffPatternPixel(int x, int y) {
  return {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), static_cast<std::uint8_t>(x + 2 * y)};
}

// The alpha MakeTiffRgb8 stores with UnassociatedAlpha: anything but opaque.
inline std::uint8_t TiffPatternAlpha(int x, int y) { return static_cast<std::uint8_t>(7 * x + 3 * y) | 1u; }

namespace test_images_detail {

// A growing in-memory file for TIFFClientOpen (libtiff seeks back to patch offsets).
struct TiffSink {
  std::vector<unsigned char> Bytes;
  toff_t Position = 0;
};

inline TiffSink& SinkOf(thandle_t h) { return *static_cast<TiffSink*>(h); }

inline tmsize_t SinkRead(thandle_t h, void* buffer, tmsize_t size) {
  TiffSink& s = SinkOf(h);
  if (s.Position >= s.Bytes.size()) return 0;
  const auto n = std::min<toff_t>(static_cast<toff_t>(size), s.Bytes.size() - s.Position);
  std::memcpy(buffer, s.Bytes.data() + s.Position, n);
  s.Position += n;
  return static_cast<tmsize_t>(n);
}

inline tmsize_t SinkWrite(thandle_t h, void* buffer, tmsize_t size) {
  TiffSink& s = SinkOf(h);
  const auto n = static_cast<toff_t>(size);
  if (s.Position + n > s.Bytes.size()) s.Bytes.resize(s.Position + n);
  std::memcpy(s.Bytes.data() + s.Position, buffer, n);
  s.Position += n;
  return size;
}

inline toff_t SinkSeek(thandle_t h, toff_t offset, int whence) {
  TiffSink& s = SinkOf(h);
  const toff_t base = whence == SEEK_CUR ? s.Position : whence == SEEK_END ? s.Bytes.size() : 0;
  s.Position = base + offset;
  return s.Position;
}

inline int SinkClose(thandle_t) { return 0; }
inline toff_t SinkSize(thandle_t h) { return SinkOf(h).Bytes.size(); }
inline int SinkMap(thandle_t, void**, toff_t*) { return 0; }
inline void SinkUnmap(thandle_t, void*, toff_t) {}

// The pattern as chunky samples, `samples` a pixel (3, or 4 with alpha).
inline std::vector<unsigned char> TiffPatternSamples(int width, int height, int samples) {
  std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * samples);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      unsigned char* p = &pixels[(static_cast<std::size_t>(y) * width + x) * samples];
      const auto rgb = TiffPatternPixel(x, y);
      std::copy(rgb.begin(), rgb.end(), p);
      if (samples == 4) p[3] = TiffPatternAlpha(x, y);
    }
  return pixels;
}

// Writes the picture tile by tile; edge tiles are padded with zeros.
inline bool WriteTiles(TIFF* tif, const std::vector<unsigned char>& pixels, int width, int height, int samples,
                       int side) {
  std::vector<unsigned char> tile(static_cast<std::size_t>(side) * side * samples);
  for (int ty = 0; ty < height; ty += side)
    for (int tx = 0; tx < width; tx += side) {
      std::fill(tile.begin(), tile.end(), 0);
      for (int y = ty; y < std::min(height, ty + side); ++y)
        std::copy_n(&pixels[(static_cast<std::size_t>(y) * width + tx) * samples],
                    static_cast<std::size_t>(std::min(side, width - tx)) * samples,
                    &tile[static_cast<std::size_t>(y - ty) * side * samples]);
      if (TIFFWriteTile(tif, tile.data(), static_cast<std::uint32_t>(tx), static_cast<std::uint32_t>(ty), 0, 0) < 0)
        return false;
    }
  return true;
}

inline bool WriteStrips(TIFF* tif, std::vector<unsigned char>& pixels, int width, int height, int samples) {
  for (int y = 0; y < height; ++y)
    if (TIFFWriteScanline(tif, &pixels[static_cast<std::size_t>(y) * width * samples], static_cast<std::uint32_t>(y),
                          0) < 0)
      return false;
  return true;
}

}  // namespace test_images_detail

// An 8-bit RGB TIFF (chunky, top-left origin) of the TiffPatternPixel pattern.
inline QByteArray MakeTiffRgb8(int width, int height, TiffOptions options = {}) {
  using namespace test_images_detail;
  TiffSink sink;
  TIFF* tif = TIFFClientOpen("test.tif", "w", &sink, SinkRead, SinkWrite, SinkSeek, SinkClose, SinkSize,
                             SinkMap, SinkUnmap);
  if (!tif) throw std::runtime_error("MakeTiffRgb8: TIFFClientOpen failed");
  const int samples = options.UnassociatedAlpha ? 4 : 3;
  TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, static_cast<std::uint32_t>(width));
  TIFFSetField(tif, TIFFTAG_IMAGELENGTH, static_cast<std::uint32_t>(height));
  TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, samples);
  TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
  TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
  TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(tif, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
  TIFFSetField(tif, TIFFTAG_COMPRESSION,
               options.Compression == TiffCompression::Lzw ? COMPRESSION_LZW : COMPRESSION_NONE);
  if (options.UnassociatedAlpha) {
    const std::uint16_t extra[] = {EXTRASAMPLE_UNASSALPHA};
    TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, 1, extra);
  }
  if (options.TileSize > 0) {
    TIFFSetField(tif, TIFFTAG_TILEWIDTH, static_cast<std::uint32_t>(options.TileSize));
    TIFFSetField(tif, TIFFTAG_TILELENGTH, static_cast<std::uint32_t>(options.TileSize));
  } else {
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP,
                 static_cast<std::uint32_t>(options.RowsPerStrip > 0 ? options.RowsPerStrip : height));
  }
  std::vector<unsigned char> pixels = TiffPatternSamples(width, height, samples);
  const bool written = options.TileSize > 0 ? WriteTiles(tif, pixels, width, height, samples, options.TileSize)
                                            : WriteStrips(tif, pixels, width, height, samples);
  TIFFClose(tif);
  if (!written) throw std::runtime_error("MakeTiffRgb8: writing the pixels failed");
  return QByteArray(reinterpret_cast<const char*>(sink.Bytes.data()), static_cast<qsizetype>(sink.Bytes.size()));
}
