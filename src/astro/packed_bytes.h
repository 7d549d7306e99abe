// Tables compiled in zlib-packed by the build-time generators (tools/packed_source.h),
// which keeps the program small; each table unpacks its bytes once, on first use.
#pragma once

#include <cstddef>
#include <vector>

struct PackedBytes {
  const unsigned char* Data;
  std::size_t Size;
  std::size_t UnpackedSize;
};

// The unpacked bytes. The build writes sound ones only: damaged ones end the program.
std::vector<char> Unpacked(const PackedBytes& packed);

// A text table as NUL-terminated fields, and where each field starts. The starts
// stay valid when the value is moved.
struct PackedFields {
  std::vector<char> Text;
  std::vector<const char*> Fields;
};
PackedFields UnpackedFields(const PackedBytes& packed);

// A field's number, read as the compiler reads the same text in a source file.
double FieldNumber(const char* field);
long long FieldInteger(const char* field);
