#include "astro/packed_bytes.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <zlib.h>

std::vector<char> Unpacked(const PackedBytes& packed) {
  std::vector<char> bytes(packed.UnpackedSize);
  uLongf size = bytes.size();
  if (uncompress(reinterpret_cast<Bytef*>(bytes.data()), &size, packed.Data, packed.Size) != Z_OK ||
      size != bytes.size()) {
    std::fputs("orvanel: a compiled-in table is damaged\n", stderr);
    std::abort();
  }
  return bytes;
}

PackedFields UnpackedFields(const PackedBytes& packed) {
  PackedFields t{Unpacked(packed), {}};
  for (std::size_t i = 0; i < t.Text.size(); i += std::strlen(&t.Text[i]) + 1) t.Fields.push_back(&t.Text[i]);
  return t;
}

double FieldNumber(const char* field) {
  double value = 0;
  std::from_chars(field, field + std::strlen(field), value);
  return value;
}

long long FieldInteger(const char* field) {
  long long value = 0;
  std::from_chars(field, field + std::strlen(field), value);
  return value;
}
