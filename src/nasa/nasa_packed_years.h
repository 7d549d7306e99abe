// NASA's yearly tables as compiled in by gen_nasa_tables: for each of the eleven
// columns in turn, the second differences between successive hours of the scaled
// values (NasaHourRow) as little-endian 32-bit integers. The values change smoothly
// from hour to hour, so these are mostly small and pack to a sixteenth.
#pragma once

#include <span>

#include "astro/packed_bytes.h"

struct PackedNasaYear {
  int Year;
  long FirstDay;  // day number of 1 January 00:00 UTC
  PackedBytes Rows;
};

// In order of year (generated at build time, see nasa_tables.cmake).
std::span<const PackedNasaYear> PackedNasaYears();
