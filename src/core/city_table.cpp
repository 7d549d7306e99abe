#include "core/city_table.h"

#include <vector>

#include "astro/packed_bytes.h"

// In the generated source.
extern const PackedBytes kPackedCities;

namespace {

struct Cities {
  PackedFields Text;
  std::vector<CityRow> Rows;  // pointing into Text
};

Cities UnpackedCities() {
  Cities c{UnpackedFields(kPackedCities), {}};
  const std::vector<const char*>& f = c.Text.Fields;
  c.Rows.reserve(f.size() / 8);
  for (std::size_t i = 0; i + 8 <= f.size(); i += 8)
    c.Rows.push_back({f[i], f[i + 1], f[i + 2], f[i + 3], FieldNumber(f[i + 4]), FieldNumber(f[i + 5]),
                      FieldInteger(f[i + 6]), f[i + 7]});
  return c;
}

}  // namespace

std::span<const CityRow> CityTable() {
  static const Cities cities = UnpackedCities();
  return cities.Rows;
}
