// Build-time generator of the city table that the place search runs over.
//
//   gen_city_table OUT.h OUT.cpp cities.csv
//
// The file has one header line and nine columns per row (name, ascii_name, province,
// country, iso2, lat, lon, population, timezone); fields with a comma are quoted. Every
// row is checked (column count, number syntax, coordinates on the globe, a zone name,
// most populous first, as the search relies on it); any problem ends the program with
// status 1 and one line "file:line: message", and nothing is written.
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "data_csv.h"

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

// A C++ string literal of UTF-8 text: bytes beyond ASCII as three-digit octal escapes,
// which cannot run into a following digit the way hex escapes do.
std::string Literal(const std::string& text) {
  std::string s = "\"";
  for (const unsigned char c : text) {
    if (c == '"' || c == '\\') {
      s += '\\';
      s += static_cast<char>(c);
    } else if (c < 0x20 || c >= 0x7f) {
      const char digits[] = {'\\', static_cast<char>('0' + (c >> 6)), static_cast<char>('0' + ((c >> 3) & 7)),
                             static_cast<char>('0' + (c & 7)), '\0'};
      s += digits;
    } else {
      s += static_cast<char>(c);
    }
  }
  return s + "\"";
}

void Coordinate(const CsvTable& t, const Row& row, std::size_t column, double limit) {
  const double v = std::strtod(ParseReal(t, row, column).c_str(), nullptr);
  if (v < -limit || v > limit) t.Fail(row, "column " + std::to_string(column + 1) + ": off the globe");
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

void Generate(const CsvTable& t, Output& out) {
  out.Header << "#include <array>\n\n"
             << "// A city of the table: names in UTF-8, degrees east positive, an IANA zone.\n"
             << "struct CityRow {\n  const char* Name;\n  const char* AsciiName;\n  const char* Province;\n"
             << "  const char* Country;\n  double Latitude;\n  double Longitude;\n  long long Population;\n"
             << "  const char* Zone;\n};\n\n"
             << "// Most populous first.\nextern const std::array<CityRow, " << t.Rows.size() << "> CityTable;\n";
  out.Source << "const std::array<CityRow, " << t.Rows.size() << "> CityTable = {{\n";
  long long previous = -1;
  for (const Row& row : t.Rows) {
    Coordinate(t, row, 5, 90);
    Coordinate(t, row, 6, 180);
    const long long population = Population(t, row);
    if (previous >= 0 && population > previous) t.Fail(row, "not in order of population");
    previous = population;
    if (row.Fields[0].empty() || row.Fields[8].find('/') == std::string::npos)
      t.Fail(row, "a city needs a name and an IANA zone");
    out.Source << "    {" << Literal(row.Fields[0]) << ", " << Literal(row.Fields[1]) << ", "
               << Literal(row.Fields[2]) << ", " << Literal(row.Fields[3]) << ", " << row.Fields[5] << ", "
               << row.Fields[6] << ", " << population << ", " << Literal(row.Fields[8]) << "},\n";
  }
  out.Source << "}};\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: gen_city_table OUT.h OUT.cpp cities.csv\n";
    return 1;
  }
  try {
    Output out;
    Generate(ReadCities(argv[3]), out);
    WriteOutput("gen_city_table", "places", argv[1], argv[2], "", out);
  } catch (const DataError& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
  return 0;
}
