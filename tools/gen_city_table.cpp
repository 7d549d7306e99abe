// Build-time generator of the city table that the place search runs over.
//
//   gen_city_table OUT.cpp cities.csv
//
// The file has one header line and nine columns per row (name, ascii_name, province,
// country, iso2, lat, lon, population, timezone); fields with a comma are quoted. Every
// row is checked (column count, number syntax, coordinates on the globe, a zone name,
// most populous first, as the search relies on it); any problem ends the program with
// status 1 and one line "file:line: message", and nothing is written. The table is
// packed text, eight fields a city (src/core/city_table.h).
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "data_csv.h"
#include "packed_source.h"

namespace {

using namespace data_csv;

constexpr const char* kHeader = "name,ascii_name,province,country,iso2,lat,lon,population,timezone";
constexpr std::size_t kColumns = 9;

// One line's fields; a quoted field may hold commas and doubled quotes.
std::vector<std::string> SplitQuoted(const CsvTable& t, int line, const std::string& text) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted && c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
      fields.back() += '"';
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (c == ',' && !quoted) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  if (quoted) t.Fail(line, "unterminated quoted field");
  return fields;
}

CsvTable ReadCities(const std::string& path) {
  CsvTable table{path, 0, {}};
  std::ifstream in(path, std::ios::binary);
  if (!in) table.Fail(0, "cannot open the file");
  std::string line;
  while (std::getline(in, line)) {
    ++table.LastLine;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (table.LastLine == 1) {
      if (line != kHeader) table.Fail(1, std::string("expected the header '") + kHeader + "'");
      continue;
    }
    if (line.empty()) table.Fail(table.LastLine, "empty line inside the data");
    Row row{table.LastLine, SplitQuoted(table, table.LastLine, line)};
    if (row.Fields.size() != kColumns)
      table.Fail(row, "expected 9 columns, found " + std::to_string(row.Fields.size()));
    table.Rows.push_back(std::move(row));
  }
  if (table.Rows.empty()) table.Fail(table.LastLine, "no cities");
  return table;
}

std::string Coordinate(const CsvTable& t, const Row& row, std::size_t column, double limit) {
  const std::string text = ParsePackedReal(t, row, column);
  const double v = std::strtod(text.c_str(), nullptr);
  if (v < -limit || v > limit) t.Fail(row, "column " + std::to_string(column + 1) + ": off the globe");
  return text;
}

// The population; the source marks an unknown one -99, kept as 0 (the table's last rows).
long long Population(const CsvTable& t, const Row& row) {
  const std::string& text = row.Fields[7];
  char* end = nullptr;
  errno = 0;
  const long long v = std::strtoll(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || errno == ERANGE || (v < 0 && v != -99))
    t.Fail(row, "column 8: not a population: '" + text + "'");
  return v < 0 ? 0 : v;
}

// The cities' fields as city_table.cpp reads them back.
std::string PackedText(const CsvTable& t) {
  std::string text;
  long long previous = -1;
  for (const Row& row : t.Rows) {
    const std::string latitude = Coordinate(t, row, 5, 90), longitude = Coordinate(t, row, 6, 180);
    const long long population = Population(t, row);
    if (previous >= 0 && population > previous) t.Fail(row, "not in order of population");
    previous = population;
    if (row.Fields[0].empty() || row.Fields[8].find('/') == std::string::npos)
      t.Fail(row, "a city needs a name and an IANA zone");
    for (const std::string& field : {row.Fields[0], row.Fields[1], row.Fields[2], row.Fields[3], latitude,
                                     longitude, std::to_string(population), row.Fields[8]})
      AppendField(t, row, text, field);
  }
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: gen_city_table OUT.cpp cities.csv\n";
    return 1;
  }
  try {
    WritePackedTable("gen_city_table", "places", argv[1], "kPackedCities", PackedText(ReadCities(argv[2])));
  } catch (const std::exception& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
  return 0;
}
