// The cities of the place search, compiled in packed from ORVANEL_DATA_DIR/places
// (tools/gen_city_table.cpp): per city the NUL-terminated fields name, ASCII name,
// province, country, latitude, longitude, population and zone.
#pragma once

#include <span>

// A city of the table: names in UTF-8, degrees east positive, an IANA zone.
struct CityRow {
  const char* Name;
  const char* AsciiName;
  const char* Province;
  const char* Country;
  double Latitude;
  double Longitude;
  long long Population;
  const char* Zone;
};

// Most populous first; unpacked on first use.
std::span<const CityRow> CityTable();
