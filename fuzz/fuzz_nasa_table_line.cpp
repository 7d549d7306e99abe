// libFuzzer target: any text through the row parser of NASA's yearly tables, as
// gen_nasa_tables reads it; a bad row must end in InputError, nothing else.
#include <cstddef>
#include <cstdint>
#include <string>

#include "nasa/nasa_table_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  try {
    const DataLine d = ParseDataLine(Words(text), "fuzz", 1);
    if (d.HourOfYear < 0 || d.HourOfYear >= 366 * 24) __builtin_trap();
  } catch (const InputError&) {
  }
  return 0;
}
