#include "nasa/nasa_tables.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "astro/time_scales.h"
#include "core/hour_clock.h"
#include "nasa/nasa_packed_years.h"

namespace {

// The scaled values of a year from the layout of nasa_packed_years.h; the sums
// wrap as the generator's differences did, so every value comes back exactly.
std::vector<NasaHourRow> UnpackedRows(const PackedBytes& packed) {
  const std::vector<char> bytes = Unpacked(packed);
  const auto byte = [&](std::size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])); };
  std::vector<NasaHourRow> rows(bytes.size() / (4 * (kNasaColumnCount - 1)));
  std::size_t at = 0;
  for (int c = 0; c < kNasaColumnCount - 1; ++c) {
    std::uint32_t value = 0, step = 0;
    for (NasaHourRow& row : rows) {
      step += byte(at) | byte(at + 1) << 8 | byte(at + 2) << 16 | byte(at + 3) << 24;
      at += 4;
      value += step;
      row.Scaled[c] = static_cast<std::int32_t>(value);
    }
  }
  return rows;
}

struct UnpackedYears {
  std::vector<std::vector<NasaHourRow>> Rows;
  std::vector<NasaYearTable> Tables;  // views of Rows, whose buffers stay put when moved
};

UnpackedYears UnpackedNasaYears() {
  UnpackedYears years;
  for (const PackedNasaYear& y : PackedNasaYears()) {
    years.Rows.push_back(UnpackedRows(y.Rows));
    years.Tables.push_back({y.Year, y.FirstDay, years.Rows.back()});
  }
  return years;
}

constexpr long double kPowersOfTen[] = {1.0L, 10.0L, 100.0L, 1000.0L, 1e4L, 1e5L, 1e6L, 1e7L, 1e8L};

// The table read for a year: its own, or the nearest one's.
const NasaYearTable& TableFor(int year) {
  const std::span<const NasaYearTable> tables = NasaYearTables();
  if (year <= tables.front().Year) return tables.front();
  if (year >= tables.back().Year) return tables.back();
  const NasaYearTable* table = NasaTableOf(year);
  return table ? *table : tables.back();
}

}  // namespace

std::span<const NasaYearTable> NasaYearTables() {
  static const UnpackedYears years = UnpackedNasaYears();
  return years.Tables;
}

const NasaYearTable* NasaTableOf(int year) {
  for (const NasaYearTable& t : NasaYearTables())
    if (t.Year == year) return &t;
  return nullptr;
}

bool HasNasaTable(long double x) { return NasaTableOf(YearOf(x)) != nullptr; }

NasaHourRecord NasaRecord(const NasaYearTable& table, int r) {
  // Quotients of exact integers by exact powers of ten, correctly rounded: the same
  // long doubles as NASA's decimal text.
  const auto scaled = table.Rows[r].Scaled;
  const auto value = [&](int c) { return scaled[c] / kPowersOfTen[kNasaDecimals[c + 1]]; };
  const long long dateTime = std::llround((table.FirstDay + r / 24.0L) * 1e8L);
  return {dateTime / 1e8L, value(0), value(1), value(2), value(3), value(4), value(5),
          value(6), value(7), value(8), value(9), value(10)};
}

NasaHourRecord GetNASAData(long double x) {
  const NasaYearTable& table = TableFor(YearOf(x));
  const std::int32_t hour = GetHourNumber(x);
  const auto rows = static_cast<std::int32_t>(table.Rows.size());
  if (hour < 0) return NasaRecord(table, 0);
  if (hour < rows) return NasaRecord(table, hour);
  const NasaYearTable* next = NasaTableOf(table.Year + 1);
  return next && table.Year == YearOf(x) ? NasaRecord(*next, 0) : NasaRecord(table, rows - 1);
}

MoonHourValues HourValuesOf(const NasaHourRecord& n) {
  return {n.Phase, n.Age, n.Diam, n.Dist, n.RA, n.Dec, n.Slon, n.Slat, n.Elon, n.Elat, n.AxisA};
}

MoonHourValues NasaHourValues(long double x) { return HourValuesOf(GetNASAData(x)); }
