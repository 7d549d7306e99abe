// Build-time generator of the drawn Moon's albedo map: NASA's 4096 x 2048 LRO colour
// mosaic at half its size, each pixel the rounded mean of four, written as a JPEG.
// The program then decodes a map of the size it draws from instead of four times as
// many pixels, and carries a quarter of the bytes.
//
//   gen_moon_albedo INPUT.jpg OUTPUT.jpg
//
// The mosaic is decoded as the program decodes pictures (libjpeg, accurate integer
// DCT, B, G, R). On any problem the tool prints "file: message", writes nothing and
// exits with status 1.
#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE and size_t declared first

#include <jpeglib.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr unsigned kWidth = 4096, kHeight = 2048;
// Quality 97 without chroma subsampling: the map stays within 7 levels of the means
// and under one level from them on average (tests/render/test_moon_maps.cpp holds
// it to that) at a third of the mosaic's bytes.
constexpr int kQuality = 97;

struct ErrorManager {
  jpeg_error_mgr Base;
  std::jmp_buf Jump;
  char Message[JMSG_LENGTH_MAX] = "";
};

[[noreturn]] void Jump(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  err->Base.format_message(cinfo, err->Message);
  std::longjmp(err->Jump, 1);
}

// A corrupt-data warning (level -1) stops the tool like an error.
void OnMessage(j_common_ptr cinfo, int level) {
  if (level < 0) Jump(cinfo);
}

void Install(ErrorManager& err) {
  jpeg_std_error(&err.Base);
  err.Base.error_exit = Jump;
  err.Base.emit_message = OnMessage;
}

std::vector<unsigned char> ReadFile(const std::string& path, bool& ok) {
  std::ifstream in(path, std::ios::binary);
  ok = static_cast<bool>(in);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

// Decodes the mosaic into B, G, R rows; an empty string or why it failed. No object
// with a destructor lives in this frame while libjpeg may jump.
std::string Decode(const std::vector<unsigned char>& bytes, std::vector<unsigned char>& pixels) {
  jpeg_decompress_struct cinfo;
  ErrorManager err;
  cinfo.err = &err.Base;
  Install(err);
  if (setjmp(err.Jump)) {
    jpeg_destroy_decompress(&cinfo);
    return err.Message;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, bytes.data(), bytes.size());
  jpeg_read_header(&cinfo, TRUE);
  cinfo.dct_method = JDCT_ISLOW;
  cinfo.out_color_space = JCS_EXT_BGR;
  jpeg_start_decompress(&cinfo);
  if (cinfo.output_width != kWidth || cinfo.output_height != kHeight || cinfo.output_components != 3) {
    jpeg_destroy_decompress(&cinfo);
    return "expected a 4096 x 2048 colour picture";
  }
  pixels.resize(std::size_t{kWidth} * kHeight * 3);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = pixels.data() + std::size_t{cinfo.output_scanline} * kWidth * 3;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return "";
}

// Each pixel of the half-size map the rounded mean of the four it covers.
std::vector<unsigned char> Halved(const std::vector<unsigned char>& pixels) {
  constexpr std::size_t w = kWidth / 2, h = kHeight / 2, stride = kWidth * 3;
  std::vector<unsigned char> half(w * h * 3);
  for (std::size_t y = 0; y < h; ++y)
    for (std::size_t x = 0; x < w; ++x)
      for (std::size_t c = 0; c < 3; ++c) {
        const unsigned char* top = &pixels[2 * y * stride + 6 * x + c];
        half[(y * w + x) * 3 + c] = static_cast<unsigned char>((top[0] + top[3] + top[stride] + top[stride + 3] + 2) / 4);
      }
  return half;
}

// The map as a JPEG in memory; false if libjpeg failed.
bool Encode(std::vector<unsigned char>& half, unsigned char*& data, unsigned long& size) {
  jpeg_compress_struct cinfo;
  ErrorManager err;
  cinfo.err = &err.Base;
  Install(err);
  if (setjmp(err.Jump)) {
    jpeg_destroy_compress(&cinfo);
    return false;
  }
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, &data, &size);
  cinfo.image_width = kWidth / 2;
  cinfo.image_height = kHeight / 2;
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_EXT_BGR;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, kQuality, TRUE);
  for (int c = 0; c < 3; ++c) cinfo.comp_info[c].h_samp_factor = cinfo.comp_info[c].v_samp_factor = 1;
  cinfo.dct_method = JDCT_ISLOW;
  cinfo.optimize_coding = TRUE;
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = half.data() + std::size_t{cinfo.next_scanline} * cinfo.image_width * 3;
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return true;
}

int Fail(const std::string& file, const std::string& message) {
  std::cerr << file << ": " << message << '\n';
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: gen_moon_albedo INPUT.jpg OUTPUT.jpg\n";
    return 1;
  }
  const std::string input = argv[1], output = argv[2];
  bool opened = false;
  const std::vector<unsigned char> bytes = ReadFile(input, opened);
  if (!opened) return Fail(input, "cannot be read");
  std::vector<unsigned char> pixels;
  if (const std::string why = Decode(bytes, pixels); !why.empty()) return Fail(input, why);
  std::vector<unsigned char> half = Halved(pixels);
  unsigned char* data = nullptr;
  unsigned long size = 0;
  if (!Encode(half, data, size)) return Fail(output, "the JPEG encoder failed");
  // Written under another name and renamed when complete: a failed run leaves no map.
  const std::string partial = output + ".part";
  std::ofstream out(partial, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  out.close();
  std::free(data);
  if (!out || std::rename(partial.c_str(), output.c_str()) != 0) {
    std::remove(partial.c_str());
    return Fail(output, "cannot be written");
  }
  return 0;
}
