// Test pictures made at test time, in memory: JPEG with libjpeg, TIFF with libtiff.
// No binary fixtures are kept in the repository. Header-only so that the benchmarks
// can make the same pictures.
//
//   MakeJpeg(730, 730)                      a grey disc on black, like NASA's Moon frames
//   MakeTiffRgb8(1920, 1080, {TiffCompression::Lzw, 16})   8-bit RGB, LZW, 16 rows a strip
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

// A baseline 4:2:0 JPEG of a grey disc on black.
inline QByteArray MakeJpeg(int width, int height, int quality = 90) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr err{};
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<unsigned char> row(static_cast<std::size_t>(width) * 3);
  while (cinfo.next_scanline < cinfo.image_height) {
    const int y = static_cast<int>(cinfo.next_scanline);
    for (int x = 0; x < width; ++x)
      std::fill_n(&row[static_cast<std::size_t>(x) * 3], 3, InsideDisc(width, height, x, y) ? kDiscGrey : 0);
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  QByteArray bytes(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
  std::free(buffer);
  return bytes;
}

// ---- TIFF ---------------------------------------------------------------------------

enum class TiffCompression { None, Lzw };

struct TiffOptions {
  TiffCompression Compression = TiffCompression::None;
  int RowsPerStrip = 0;  // 0: the whole picture in one strip
};

// The colour of MakeTiffRgb8 at (x, y): R = x, G = y, B = x + 2y (each mod 256),
// so every row and column differs and a transposed or shifted decode shows.
inline std::array<std::uint8_t, 3> TiffPatternPixel(int x, int y) {
  return {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), static_cast<std::uint8_t>(x + 2 * y)};
}

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

}  // namespace test_images_detail

// An 8-bit RGB TIFF (chunky, top-left origin) of the TiffPatternPixel pattern.
inline QByteArray MakeTiffRgb8(int width, int height, TiffOptions options = {}) {
  using namespace test_images_detail;
  TiffSink sink;
  TIFF* tif = TIFFClientOpen("test.tif", "w", &sink, SinkRead, SinkWrite, SinkSeek, SinkClose, SinkSize,
                             SinkMap, SinkUnmap);
  if (!tif) throw std::runtime_error("MakeTiffRgb8: TIFFClientOpen failed");
  TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, static_cast<std::uint32_t>(width));
  TIFFSetField(tif, TIFFTAG_IMAGELENGTH, static_cast<std::uint32_t>(height));
  TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 3);
  TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
  TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
  TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(tif, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
  TIFFSetField(tif, TIFFTAG_COMPRESSION,
               options.Compression == TiffCompression::Lzw ? COMPRESSION_LZW : COMPRESSION_NONE);
  TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP,
               static_cast<std::uint32_t>(options.RowsPerStrip > 0 ? options.RowsPerStrip : height));
  std::vector<unsigned char> row(static_cast<std::size_t>(width) * 3);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const auto p = TiffPatternPixel(x, y);
      std::copy(p.begin(), p.end(), row.begin() + static_cast<std::ptrdiff_t>(x) * 3);
    }
    if (TIFFWriteScanline(tif, row.data(), static_cast<std::uint32_t>(y), 0) < 0) {
      TIFFClose(tif);
      throw std::runtime_error("MakeTiffRgb8: TIFFWriteScanline failed");
    }
  }
  TIFFClose(tif);
  return QByteArray(reinterpret_cast<const char*>(sink.Bytes.data()), static_cast<qsizetype>(sink.Bytes.size()));
}
