// The generators' compiled-in tables: bytes zlib-packed at the best compression and
// written as C++ source of a PackedBytes (src/astro/packed_bytes.h), which the
// program unpacks once on first use.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>
#include <zlib.h>

#include "data_csv.h"

struct PackedSource {
  std::string Array;  // the definition of the packed bytes, an array named as asked
  std::string Value;  // the PackedBytes of them, a constant initialiser
};

inline PackedSource Packed(const std::string& name, const std::string& bytes) {
  uLongf size = compressBound(bytes.size());
  std::vector<unsigned char> packed(size);
  if (compress2(packed.data(), &size, reinterpret_cast<const Bytef*>(bytes.data()), bytes.size(),
                Z_BEST_COMPRESSION) != Z_OK)
    throw std::runtime_error("zlib cannot pack " + name);
  std::string array = "constexpr unsigned char " + name + "[] = {";
  for (uLongf i = 0; i < size; ++i) array += (i % 32 == 0 ? "\n" : "") + std::to_string(packed[i]) + ",";
  return {array + "\n};\n",
          "{" + name + ", " + std::to_string(size) + ", " + std::to_string(bytes.size()) + "}"};
}

// Writes the source file of a packed text table made by the generator `tool` from
// ORVANEL_DATA_DIR/`folder`: `text` as the PackedBytes constant `name`.
inline void WritePackedTable(const std::string& tool, const std::string& folder, const std::string& path,
                             const std::string& name, const std::string& text) {
  const PackedSource packed = Packed("kBytes", text);
  data_csv::WriteFile(path, data_csv::GeneratedNote(tool, folder) + "#include \"astro/packed_bytes.h\"\n\n" +
                                packed.Array + "extern const PackedBytes " + name + " = " + packed.Value + ";\n");
}
