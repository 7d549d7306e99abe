// libFuzzer target: any bytes through the JPEG decoder, with its pixel cap in force.
#include "decoder_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return FuzzDecoder(DecodeJpeg, data, size);
}
