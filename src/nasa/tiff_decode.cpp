// TIFF decoding with libtiff straight from memory (TIFFClientOpenExt over a byte
// array, mapped for reading in place). Each handle gets its own error and warning handlers that swallow the
// message, so libtiff's global handlers (which print to stderr) are never reached.
#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "nasa/decoding_memory.h"
#include "nasa/image_decode.h"

namespace {

struct MemoryFile {
  const QByteArray& Bytes;
  toff_t Position = 0;
};

MemoryFile& FileOf(thandle_t handle) { return *static_cast<MemoryFile*>(handle); }

tmsize_t ReadBytes(thandle_t handle, void* buffer, tmsize_t size) {
  MemoryFile& f = FileOf(handle);
  const auto total = static_cast<toff_t>(f.Bytes.size());
  if (size <= 0 || f.Position >= total) return 0;
  const toff_t count = std::min<toff_t>(static_cast<toff_t>(size), total - f.Position);
  std::memcpy(buffer, f.Bytes.constData() + f.Position, count);
  f.Position += count;
  return static_cast<tmsize_t>(count);
}

tmsize_t WriteNothing(thandle_t, void*, tmsize_t) { return 0; }

toff_t Seek(thandle_t handle, toff_t offset, int whence) {
  MemoryFile& f = FileOf(handle);
  const toff_t base = whence == SEEK_CUR ? f.Position : whence == SEEK_END ? static_cast<toff_t>(f.Bytes.size()) : 0;
  f.Position = base + offset;  // offsets are unsigned; SEEK_CUR/SEEK_END back-steps wrap as libtiff expects
  return f.Position;
}

int CloseNothing(thandle_t) { return 0; }

toff_t Size(thandle_t handle) { return static_cast<toff_t>(FileOf(handle).Bytes.size()); }

// The bytes are in memory already, so libtiff may read them in place (it never writes
// through a mapping of a file opened for reading). Without a mapping libtiff 4.5
// compares an uncompressed tile's byte count with its rounded-up read buffer and
// refuses sound tiled files ("Invalid tile byte count ... Expected 768, got 1024").
int MapBytes(thandle_t handle, void** base, toff_t* size) {
  const QByteArray& bytes = FileOf(handle).Bytes;
  *base = const_cast<char*>(bytes.constData());
  *size = static_cast<toff_t>(bytes.size());
  return 1;
}

void UnmapNothing(thandle_t, void*, toff_t) {}

int SwallowMessage(TIFF*, void*, const char*, const char*, va_list) { return 1; }

// Keeps libtiff's first error message, to say why a file failed.
struct FirstError {
  char Text[256] = {};
};

int KeepFirstError(TIFF*, void* user, const char*, const char* format, va_list args) {
  auto* first = static_cast<FirstError*>(user);
  if (!first->Text[0]) std::vsnprintf(first->Text, sizeof first->Text, format, args);
  return 1;
}

struct TiffCloser {
  void operator()(TIFF* tif) const { TIFFClose(tif); }
};
using TiffHandle = std::unique_ptr<TIFF, TiffCloser>;

TiffHandle OpenQuietly(MemoryFile& file, FirstError& error) {
  TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
  if (!options) return nullptr;
  TIFFOpenOptionsSetErrorHandlerExtR(options, KeepFirstError, &error);
  TIFFOpenOptionsSetWarningHandlerExtR(options, SwallowMessage, nullptr);
  // Bounds what a damaged header can make libtiff allocate for one strip or tile.
  TIFFOpenOptionsSetMaxSingleMemAlloc(options, static_cast<tmsize_t>(kMaxDecodedPixels * 4));
  TiffHandle tif(TIFFClientOpenExt("memory", "r", &file, ReadBytes, WriteNothing, Seek, CloseNothing,
                                   Size, MapBytes, UnmapNothing, options));
  TIFFOpenOptionsFree(options);
  return tif;
}

// libtiff's RGBA reader multiplies unassociated alpha into the colours, which darkens
// them; the alpha is dropped anyway, so the sample is declared unspecified (only in
// this read-only handle's directory) and the colours come through as stored.
void IgnoreUnassociatedAlpha(TIFF* tif) {
  std::uint16_t count = 0;
  const std::uint16_t* kinds = nullptr;
  if (!TIFFGetField(tif, TIFFTAG_EXTRASAMPLES, &count, &kinds) || count == 0 || kinds[0] != EXTRASAMPLE_UNASSALPHA)
    return;
  std::vector<std::uint16_t> unspecified(kinds, kinds + count);
  unspecified[0] = EXTRASAMPLE_UNSPECIFIED;
  TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, count, unspecified.data());
}

// Copies libtiff's A, B, G, R words into B, G, R bytes.
void StoreBgr(const std::uint32_t* raster, QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    const std::uint32_t* in = raster + static_cast<std::size_t>(y) * image.width();
    unsigned char* out = image.scanLine(y);
    for (int x = 0; x < image.width(); ++x, out += 3) {
      out[0] = static_cast<unsigned char>(TIFFGetB(in[x]));
      out[1] = static_cast<unsigned char>(TIFFGetG(in[x]));
      out[2] = static_cast<unsigned char>(TIFFGetR(in[x]));
    }
  }
}

}  // namespace

DecodeResult DecodeTiff(const QByteArray& bytes, QImage& image) {
  MemoryFile file{bytes};
  FirstError error;
  const auto damaged = [&error](const char* otherwise) {
    return DecodeResult::Failure(
        QStringLiteral("damaged TIFF data: %1").arg(QString::fromLatin1(error.Text[0] ? error.Text : otherwise)));
  };
  const TiffHandle tif = OpenQuietly(file, error);
  if (!tif) return damaged("cannot be opened");
  std::uint32_t width = 0, height = 0;
  char message[1024];
  if (!TIFFGetField(tif.get(), TIFFTAG_IMAGEWIDTH, &width) || !TIFFGetField(tif.get(), TIFFTAG_IMAGELENGTH, &height) ||
      width == 0 || height == 0)
    return damaged("no picture size");
  if (static_cast<long long>(width) * height > kMaxDecodedPixels)
    return DecodeResult::Failure(TooManyPixels(width, height));
  if (!TIFFRGBAImageOK(tif.get(), message))
    return DecodeResult::Failure(QStringLiteral("unsupported TIFF picture: %1").arg(QString::fromLatin1(message)));
  IgnoreUnassociatedAlpha(tif.get());
  // The raster of 32-bit pixels and the 24-bit picture made from it.
  const DecodingMemory::Share share(ProcessDecodingMemory(), 7LL * width * height);
  try {
    const auto raster = std::make_unique_for_overwrite<std::uint32_t[]>(static_cast<std::size_t>(width) * height);
    if (!TIFFReadRGBAImageOriented(tif.get(), width, height, raster.get(), ORIENTATION_TOPLEFT, 1))
      return damaged("unreadable pixels");
    QImage decoded(static_cast<int>(width), static_cast<int>(height), QImage::Format_BGR888);
    if (decoded.isNull()) return DecodeResult::Failure(QStringLiteral("out of memory"));
    StoreBgr(raster.get(), decoded);
    image = std::move(decoded);
    return DecodeResult::Success();
  } catch (const std::bad_alloc&) {
    return DecodeResult::Failure(QStringLiteral("out of memory"));
  }
}
