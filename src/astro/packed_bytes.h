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

// A packed text table's rows, made from `width` fields each by `row`, which is given
// the row's first field; the rows may point into the text, which is kept with them.
template <typename Row>
struct PackedTable {
  PackedFields Text;
  std::vector<Row> Rows;
};

template <typename Row, typename MakeRow>
PackedTable<Row> UnpackedTable(const PackedBytes& packed, std::size_t width, MakeRow row) {
  PackedTable<Row> table{UnpackedFields(packed), {}};
  const std::vector<const char*>& fields = table.Text.Fields;
  table.Rows.reserve(fields.size() / width);
  for (std::size_t i = 0; i + width <= fields.size(); i += width) table.Rows.push_back(row(&fields[i]));
  return table;
}
