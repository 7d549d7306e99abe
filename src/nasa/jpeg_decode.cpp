// JPEG decoding with libjpeg-turbo. libjpeg reports errors through a callback that
// must not return, so the error manager jumps back with longjmp. Only the small
// functions below call setjmp, and no object with a destructor lives in their frames
// while libjpeg runs; the QImage is created and kept by the caller.
// An EXIF orientation tag is deliberately ignored (libjpeg does not read APP1): NASA's
// frames carry none, and the Moon views turn the picture themselves, so obeying a
// stray tag could only turn a frame away from the orientation the views expect.
#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE and size_t declared first

#include <jpeglib.h>

#include "nasa/image_decode.h"

namespace {

struct JpegErrorManager {
  jpeg_error_mgr Base;
  std::jmp_buf Jump;
};

[[noreturn]] void ReturnToCaller(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<JpegErrorManager*>(cinfo->err)->Jump, 1);
}

// Level -1 is a corrupt-data warning (premature end, bad Huffman code, ...): treated
// as an error. Trace messages (levels 0 and above) are dropped.
void OnMessage(j_common_ptr cinfo, int level) {
  if (level < 0) ReturnToCaller(cinfo);
}

void DropOutput(j_common_ptr) {}

bool Create(jpeg_decompress_struct* cinfo, JpegErrorManager* err) {
  cinfo->err = jpeg_std_error(&err->Base);
  err->Base.error_exit = ReturnToCaller;
  err->Base.emit_message = OnMessage;
  err->Base.output_message = DropOutput;
  if (setjmp(err->Jump)) return false;
  jpeg_create_decompress(cinfo);
  return true;
}

// Reads the header and starts a 24-bit B, G, R decode; false for pictures over the size limit.
bool Start(jpeg_decompress_struct* cinfo, JpegErrorManager* err, const unsigned char* data,
           unsigned long size) {
  if (setjmp(err->Jump)) return false;
  jpeg_mem_src(cinfo, data, size);
  if (jpeg_read_header(cinfo, TRUE) != JPEG_HEADER_OK) return false;
  if (static_cast<long long>(cinfo->image_width) * cinfo->image_height > kMaxDecodedPixels) return false;
  cinfo->dct_method = JDCT_ISLOW;
  cinfo->out_color_space = JCS_EXT_BGR;
  jpeg_start_decompress(cinfo);
  return cinfo->output_components == 3;
}

bool ReadPixels(jpeg_decompress_struct* cinfo, JpegErrorManager* err, unsigned char* bits,
                long long bytesPerLine) {
  if (setjmp(err->Jump)) return false;
  while (cinfo->output_scanline < cinfo->output_height) {
    JSAMPROW row = bits + cinfo->output_scanline * bytesPerLine;
    jpeg_read_scanlines(cinfo, &row, 1);
  }
  jpeg_finish_decompress(cinfo);
  return true;
}

}  // namespace

bool DecodeJpeg(const QByteArray& bytes, QImage& image) {
  if (bytes.isEmpty()) return false;
  jpeg_decompress_struct cinfo{};
  JpegErrorManager err{};
  if (!Create(&cinfo, &err)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  bool ok = Start(&cinfo, &err, reinterpret_cast<const unsigned char*>(bytes.constData()),
                  static_cast<unsigned long>(bytes.size()));
  QImage decoded;
  if (ok) {
    decoded = QImage(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height),
                     QImage::Format_BGR888);
    ok = !decoded.isNull() && ReadPixels(&cinfo, &err, decoded.bits(), decoded.bytesPerLine());
  }
  jpeg_destroy_decompress(&cinfo);
  if (ok) image = std::move(decoded);
  return ok;
}
