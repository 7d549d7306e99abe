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

#include <optional>
#include <vector>

#include "nasa/decoding_memory.h"
#include "nasa/image_decode.h"

namespace {

// A progressive picture may send its coefficients again in as many scans as it likes,
// each a pass over the whole picture in some forty bytes: a frame's few megabytes of
// them would keep a decoder busy for minutes. Encoders write about ten; libtiff takes
// no more than this in a JPEG inside a TIFF either.
constexpr int kMaxScans = 100;

struct JpegErrorManager {
  jpeg_error_mgr Base;
  jpeg_progress_mgr Progress;  // stops a picture of too many scans
  std::jmp_buf Jump;
  char Message[JMSG_LENGTH_MAX];  // libjpeg's words for what went wrong
};

[[noreturn]] void ReturnToCaller(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<JpegErrorManager*>(cinfo->err);
  err->Base.format_message(cinfo, err->Message);
  std::longjmp(err->Jump, 1);
}

// Level -1 is a corrupt-data warning (premature end, bad Huffman code, ...): treated
// as an error. Trace messages (levels 0 and above) are dropped.
void OnMessage(j_common_ptr cinfo, int level) {
  if (level < 0) ReturnToCaller(cinfo);
}

void DropOutput(j_common_ptr) {}

void LimitScans(j_common_ptr cinfo) {
  if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number <= kMaxScans) return;
  auto* err = reinterpret_cast<JpegErrorManager*>(cinfo->err);
  std::snprintf(err->Message, sizeof err->Message, "more than %d scans", kMaxScans);
  std::longjmp(err->Jump, 1);
}

bool Create(jpeg_decompress_struct* cinfo, JpegErrorManager* err) {
  cinfo->err = jpeg_std_error(&err->Base);
  err->Base.error_exit = ReturnToCaller;
  err->Base.emit_message = OnMessage;
  err->Base.output_message = DropOutput;
  err->Progress.progress_monitor = LimitScans;
  if (setjmp(err->Jump)) return false;
  jpeg_create_decompress(cinfo);
  cinfo->progress = &err->Progress;
  return true;
}

// Why a decode stopped: libjpeg's message when it raised one, else the check that failed.
QString Why(const JpegErrorManager& err, const char* otherwise) {
  return QStringLiteral("damaged JPEG data: %1").arg(QString::fromLatin1(err.Message[0] ? err.Message : otherwise));
}

// Reads the header; a reason for pictures over the size limit or a damaged header.
DecodeResult ReadHeader(jpeg_decompress_struct* cinfo, JpegErrorManager* err, const unsigned char* data,
                        unsigned long size) {
  if (setjmp(err->Jump)) return DecodeResult::Failure(Why(*err, "bad header"));
  jpeg_mem_src(cinfo, data, size);
  if (jpeg_read_header(cinfo, TRUE) != JPEG_HEADER_OK) return DecodeResult::Failure(Why(*err, "no picture"));
  if (static_cast<long long>(cinfo->image_width) * cinfo->image_height > kMaxDecodedPixels)
    return DecodeResult::Failure(TooManyPixels(cinfo->image_width, cinfo->image_height));
  return DecodeResult::Success();
}

// Starts a 24-bit B, G, R decode, which reads a picture of several scans (a
// progressive one) whole into its coefficients.
DecodeResult Begin(jpeg_decompress_struct* cinfo, JpegErrorManager* err) {
  if (setjmp(err->Jump)) return DecodeResult::Failure(Why(*err, "bad header"));
  cinfo->dct_method = JDCT_ISLOW;
  cinfo->out_color_space = JCS_EXT_BGR;
  jpeg_start_decompress(cinfo);
  if (cinfo->output_components != 3) return DecodeResult::Failure(QStringLiteral("not a colour JPEG picture"));
  return DecodeResult::Success();
}

// About the memory a decode takes once the header is read: the rows kept (every row
// of the picture, or one) and, for a picture of several scans, every coefficient.
long long DecodingBytes(jpeg_decompress_struct* cinfo, bool everyRow) {
  long long bytes = 3LL * cinfo->image_width * (everyRow ? cinfo->image_height : 1);
  if (jpeg_has_multiple_scans(cinfo))
    for (int c = 0; c < cinfo->num_components; ++c)
      bytes += static_cast<long long>(sizeof(JBLOCK)) * cinfo->comp_info[c].width_in_blocks *
               cinfo->comp_info[c].height_in_blocks;
  return bytes;
}

// Decodes every row into bits, each bytesPerLine after the one before (0: all into one row).
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

// Runs a decode: the header, its share of the decoders' memory (every row's or one
// row's), then fill(cinfo, err) to read the rows.
template <typename Fill>
DecodeResult Decode(const QByteArray& bytes, bool everyRow, Fill fill) {
  if (bytes.isEmpty()) return DecodeResult::Failure(QStringLiteral("an empty file"));
  jpeg_decompress_struct cinfo{};
  JpegErrorManager err{};
  if (!Create(&cinfo, &err)) {
    jpeg_destroy_decompress(&cinfo);
    return DecodeResult::Failure(Why(err, "no decoder"));
  }
  DecodeResult result = ReadHeader(&cinfo, &err, reinterpret_cast<const unsigned char*>(bytes.constData()),
                                   static_cast<unsigned long>(bytes.size()));
  std::optional<DecodingMemory::Share> share;  // ends after the decoder has given its memory back
  if (result) {
    share.emplace(ProcessDecodingMemory(), DecodingBytes(&cinfo, everyRow));
    result = Begin(&cinfo, &err);
  }
  if (result) result = fill(&cinfo, &err);
  jpeg_destroy_decompress(&cinfo);
  return result;
}

}  // namespace

DecodeResult DecodeJpeg(const QByteArray& bytes, QImage& image) {
  return Decode(bytes, true, [&image](jpeg_decompress_struct* cinfo, JpegErrorManager* err) {
    QImage decoded(static_cast<int>(cinfo->output_width), static_cast<int>(cinfo->output_height),
                   QImage::Format_BGR888);
    if (decoded.isNull()) return DecodeResult::Failure(QStringLiteral("out of memory"));
    if (!ReadPixels(cinfo, err, decoded.bits(), decoded.bytesPerLine()))
      return DecodeResult::Failure(Why(*err, "cut short"));
    image = std::move(decoded);
    return DecodeResult::Success();
  });
}

DecodeResult CheckJpeg(const QByteArray& bytes) {
  return Decode(bytes, false, [](jpeg_decompress_struct* cinfo, JpegErrorManager* err) {
    std::vector<unsigned char> row(static_cast<std::size_t>(cinfo->output_width) * 3);
    if (!ReadPixels(cinfo, err, row.data(), 0)) return DecodeResult::Failure(Why(*err, "cut short"));
    return DecodeResult::Success();
  });
}
