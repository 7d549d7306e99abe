#include "core/city_table.h"

#include "astro/packed_bytes.h"

// In the generated source.
extern const PackedBytes kPackedCities;

std::span<const CityRow> CityTable() {
  static const PackedTable<CityRow> cities = UnpackedTable<CityRow>(kPackedCities, 8, [](const char* const* f) {
    return CityRow{f[0], f[1], f[2], f[3], FieldNumber(f[4]), FieldNumber(f[5]), FieldInteger(f[6]), f[7]};
  });
  return cities.Rows;
}
