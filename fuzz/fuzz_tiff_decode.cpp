// libFuzzer target: any bytes through the TIFF decoder, with its pixel and allocation
// caps in force; a write through the decoder's read-only mapping of the bytes would
// show as a changed input.
#include "decoder_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return FuzzDecoder(DecodeTiff, data, size);
}
