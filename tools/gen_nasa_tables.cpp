// Build-time generator of NASA's hourly Moon tables.
//
//   gen_nasa_tables OUTPUT.cpp mooninfo_YYYY.txt ...
//
// Reads NASA SVS's yearly "Moon Phase and Libration" text tables, one per published
// year and in order of year, and writes them as compiled-in tables of scaled
// integers (each value times ten to the power of its decimals, which holds NASA's
// text exactly), zlib-packed as nasa_packed_years.h lays them out, with the list of
// years, PackedNasaYears(). Each data line is
//   DD Mon YYYY HH:00 UT  Phase Age Diam Dist RA Dec Slon Slat Elon Elat AxisA
// A table's year is that of its first data line. Header lines (first word "Date")
// may appear anywhere and are skipped, as are rows of another year (the 2024 file
// ends with the first hour of 2025). Every hour of the table's year must appear
// exactly once and in order, each value with NASA's decimals. Any problem ends the
// program with "file:line: message" and status 1, which stops the build; the output
// is written only when every file is sound.
#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "nasa/nasa_tables.h"
#include "nasa/nasa_table_line.h"
#include "packed_source.h"

namespace {

struct YearRows {
  int Year = 0;
  std::vector<NasaHourRow> Rows;  // one per hour
};

// Day number (days from 1899-12-30) of 1 January of year, proleptic Gregorian.
long FirstDayNumber(int year) {
  long days = 0;
  for (int y = 1900; y < year; ++y) days += IsLeapYear(y) ? 366 : 365;
  for (int y = year; y < 1900; ++y) days -= IsLeapYear(y) ? 366 : 365;
  return days + 2;  // 1900-01-01 is day 2
}

// NASA's text of a value without its decimal point: the value times 10^decimals.
std::int32_t Scaled(const std::string& value, const std::string& file, int line) {
  std::string digits;
  for (const char c : value)
    if (c != '.') digits += c;
  std::int32_t scaled = 0;
  if (std::from_chars(digits.data(), digits.data() + digits.size(), scaled).ec != std::errc())
    throw InputError(file, line, "\"" + value + "\" is out of range");
  return scaled;
}

// The bytes of nasa_packed_years.h: per column, the second differences of its values.
std::string PackedLayout(const std::vector<NasaHourRow>& rows) {
  std::string bytes;
  for (int c = 0; c < kValueColumns; ++c) {
    std::int64_t previous = 0, step = 0;
    for (const NasaHourRow& row : rows) {
      const std::int64_t nextStep = row.Scaled[c] - previous;
      const auto difference = static_cast<std::uint32_t>(nextStep - step);
      for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>((difference >> shift) & 0xff);
      previous = row.Scaled[c];
      step = nextStep;
    }
  }
  return bytes;
}

std::string HourText(int hourOfYear) {
  return "day " + std::to_string(hourOfYear / 24 + 1) + " hour " + std::to_string(hourOfYear % 24);
}

int HoursOf(int year) { return (IsLeapYear(year) ? 366 : 365) * 24; }

// Reads one yearly file and returns its year and the generated initialiser rows.
YearRows ReadTable(const std::string& file) {
  std::ifstream in(file);
  if (!in) throw InputError(file, 0, "cannot open the file");
  YearRows table;
  std::vector<NasaHourRow>& rows = table.Rows;
  int lineNumber = 0;
  for (std::string text; std::getline(in, text);) {
    ++lineNumber;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    const std::vector<std::string> words = Words(text);
    if (words.empty() || words[0] == "Date") continue;
    const DataLine d = ParseDataLine(words, file, lineNumber);
    if (table.Year == 0) table.Year = d.Year;
    if (d.Year != table.Year) continue;
    const int expected = static_cast<int>(rows.size());
    if (d.HourOfYear < expected)
      throw InputError(file, lineNumber, HourText(d.HourOfYear) + " is repeated or out of order");
    if (d.HourOfYear > expected)
      throw InputError(file, lineNumber, HourText(expected) + " of " + std::to_string(table.Year) +
                                             " is missing or out of order (found " + HourText(d.HourOfYear) + ")");
    NasaHourRow row;
    for (int c = 0; c < kValueColumns; ++c) row.Scaled[c] = Scaled(d.Values[c], file, lineNumber);
    rows.push_back(row);
  }
  if (in.bad()) throw InputError(file, lineNumber, "read error");
  if (table.Year == 0) throw InputError(file, lineNumber, "no data lines");
  if (static_cast<int>(rows.size()) != HoursOf(table.Year))
    throw InputError(file, lineNumber, "ends after " + std::to_string(rows.size()) + " hours of " +
                                           std::to_string(table.Year) + "; " + HourText(static_cast<int>(rows.size())) +
                                           " and later are missing");
  return table;
}

void WriteSource(const std::string& output, const std::vector<YearRows>& tables) {
  const std::string temporary = output + ".tmp";
  {
    std::ofstream out(temporary, std::ios::trunc);
    out << "// Generated by gen_nasa_tables from NASA SVS's yearly mooninfo tables.\n"
           "// Do not edit; do not commit.\n"
           "#include \"nasa/nasa_packed_years.h\"\n\nnamespace {\n";
    std::string years;
    for (const YearRows& t : tables) {
      const PackedSource packed = Packed("kRows" + std::to_string(t.Year), PackedLayout(t.Rows));
      out << "\n" << packed.Array;
      years += "    {" + std::to_string(t.Year) + ", " + std::to_string(FirstDayNumber(t.Year)) + ", " + packed.Value +
               "},\n";
    }
    out << "\nconstexpr PackedNasaYear kYears[] = {\n" << years << "};\n\n}  // namespace\n\n"
        << "std::span<const PackedNasaYear> PackedNasaYears() { return kYears; }\n";
    out.flush();
    if (!out) throw InputError(temporary, 0, "cannot write the file");
  }
  if (std::rename(temporary.c_str(), output.c_str()) != 0)
    throw InputError(output, 0, "cannot replace the file");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: gen_nasa_tables OUTPUT.cpp mooninfo_YYYY.txt ...\n";
    return 1;
  }
  try {
    std::vector<YearRows> tables;
    for (int i = 2; i < argc; ++i) {
      tables.push_back(ReadTable(argv[i]));
      if (tables.size() > 1 && tables.back().Year <= tables[tables.size() - 2].Year)
        throw InputError(argv[i], 0, "years must be given once each, in order");
    }
    WriteSource(argv[1], tables);
  } catch (const std::exception& e) {
    std::cerr << e.what() << '\n';
    return 1;
  }
  return 0;
}
