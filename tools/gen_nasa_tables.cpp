// Build-time generator of NASA's hourly Moon tables.
//
//   gen_nasa_tables OUTPUT.cpp mooninfo_2024.txt mooninfo_2025.txt
//
// Reads NASA SVS's yearly "Moon Phase and Libration" text tables and writes the
// compiled-in arrays NasaMoonData2024 and NasaMoonData2025. Each data line is
//   DD Mon YYYY HH:00 UT  Phase Age Diam Dist RA Dec Slon Slat Elon Elat AxisA
// Header lines (first word "Date") may appear anywhere and are skipped, as are rows
// of another year (the 2024 file ends with the first hour of 2025). Every hour of
// the table's year must appear exactly once and in order, each value with NASA's
// decimals. Any problem ends the program with "file:line: message" and status 1,
// which stops the build; the output is written only when both files are sound.
#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "nasa/nasa_tables.h"

namespace {

struct YearTable {
  int Year;
  long double FirstDayNumber;  // 1 January 00:00 UTC, days from 1899-12-30
  int Rows;
  const char* Name;
};

constexpr std::array<YearTable, 2> kTables = {{
    {2024, 45292.0L, kNasaRows2024, "NasaMoonData2024"},
    {2025, 45658.0L, kNasaRows2025, "NasaMoonData2025"},
}};

constexpr int kValueColumns = kNasaColumnCount - 1;  // the eleven NASA columns after the date

class InputError : public std::runtime_error {
 public:
  InputError(const std::string& file, int line, const std::string& message)
      : std::runtime_error(file + ":" + std::to_string(line) + ": " + message) {}
};

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// Zero-based day of the year of a valid date; -1 when the date does not exist.
int DayOfYear(int year, int month, int day) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const int length = kDays[month - 1] + (month == 2 && IsLeap(year) ? 1 : 0);
  if (day < 1 || day > length) return -1;
  int before = 0;
  for (int m = 1; m < month; ++m) before += kDays[m - 1] + (m == 2 && IsLeap(year) ? 1 : 0);
  return before + day - 1;
}

int MonthNumber(const std::string& name) {
  static const std::array<std::string, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  for (std::size_t i = 0; i < kMonths.size(); ++i)
    if (kMonths[i] == name) return static_cast<int>(i) + 1;
  return 0;
}

struct DataLine {
  int Year = 0;
  int HourOfYear = 0;
  std::array<std::string, kValueColumns> Values;  // the file's text of each value
};

// A value as a long double literal that keeps NASA's text and decimals.
std::string Literal(const std::string& value) {
  return value.find('.') == std::string::npos ? value + ".L" : value + "L";
}

std::string HourText(int hourOfYear) {
  return "day " + std::to_string(hourOfYear / 24 + 1) + " hour " + std::to_string(hourOfYear % 24);
}

bool IsDigits(const std::string& text, std::size_t minLength, std::size_t maxLength) {
  return text.size() >= minLength && text.size() <= maxLength &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The number of decimals of a plain decimal number such as "-55.867"; -1 for anything else.
int DecimalsOf(const std::string& text) {
  const std::size_t start = !text.empty() && text[0] == '-' ? 1 : 0;
  const std::size_t point = text.find('.');
  if (point == std::string::npos) return IsDigits(text.substr(start), 1, 20) ? 0 : -1;
  const std::string whole = text.substr(start, point - start), fraction = text.substr(point + 1);
  return IsDigits(whole, 1, 20) && IsDigits(fraction, 1, 20) ? static_cast<int>(fraction.size()) : -1;
}

DataLine ParseDataLine(const std::vector<std::string>& words, const std::string& file, int line) {
  if (words.size() != 5 + kValueColumns)
    throw InputError(file, line, "expected 16 fields (date, time, \"UT\" and 11 values), found " +
                                     std::to_string(words.size()));
  const std::string& time = words[3];
  const int month = MonthNumber(words[1]);
  if (!IsDigits(words[0], 1, 2) || month == 0 || !IsDigits(words[2], 4, 4) || time.size() != 5 ||
      !IsDigits(time.substr(0, 2), 2, 2) || time.substr(2) != ":00" || words[4] != "UT")
    throw InputError(file, line, "malformed date or time \"" + words[0] + " " + words[1] + " " +
                                     words[2] + " " + words[3] + " " + words[4] + "\"");
  DataLine d;
  d.Year = std::stoi(words[2]);
  const int day = DayOfYear(d.Year, month, std::stoi(words[0]));
  const int hour = std::stoi(time.substr(0, 2));
  if (day < 0 || hour > 23) throw InputError(file, line, "no such date or hour");
  d.HourOfYear = day * 24 + hour;
  for (int c = 0; c < kValueColumns; ++c) {
    const std::string& w = words[5 + c];
    const int decimals = kNasaDecimals[c + 1];
    if (DecimalsOf(w) != decimals)
      throw InputError(file, line, std::string("column ") + kNasaColumnNames[c + 1] + ": \"" + w +
                                       "\" is not a number with " + std::to_string(decimals) +
                                       " decimals");
    d.Values[c] = w;
  }
  return d;
}

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

// Reads one yearly file and returns the generated initialiser rows, one per hour.
std::vector<std::string> ReadTable(const YearTable& table, const std::string& file) {
  std::ifstream in(file);
  if (!in) throw InputError(file, 0, "cannot open the file");
  std::vector<std::string> rows;
  int lineNumber = 0;
  for (std::string text; std::getline(in, text);) {
    ++lineNumber;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    const std::vector<std::string> words = Words(text);
    if (words.empty() || words[0] == "Date") continue;
    const DataLine d = ParseDataLine(words, file, lineNumber);
    if (d.Year != table.Year) continue;
    const int expected = static_cast<int>(rows.size());
    if (d.HourOfYear < expected)
      throw InputError(file, lineNumber, HourText(d.HourOfYear) + " is repeated or out of order");
    if (d.HourOfYear > expected)
      throw InputError(file, lineNumber, HourText(expected) + " of " + std::to_string(table.Year) +
                                             " is missing or out of order (found " + HourText(d.HourOfYear) + ")");
    char dateTime[40];
    std::snprintf(dateTime, sizeof dateTime, "%.8Lf", table.FirstDayNumber + expected / 24.0L);
    std::string row = std::string("{") + dateTime + "L";
    for (const std::string& v : d.Values) row += "," + Literal(v);
    rows.push_back(row + "}");
  }
  if (in.bad()) throw InputError(file, lineNumber, "read error");
  if (static_cast<int>(rows.size()) != table.Rows)
    throw InputError(file, lineNumber, "ends after " + std::to_string(rows.size()) + " hours of " +
                                           std::to_string(table.Year) + "; " + HourText(static_cast<int>(rows.size())) +
                                           " and later are missing");
  return rows;
}

void WriteSource(const std::string& output, const std::array<std::vector<std::string>, 2>& tables) {
  const std::string temporary = output + ".tmp";
  {
    std::ofstream out(temporary, std::ios::trunc);
    out << "// Generated by gen_nasa_tables from NASA SVS's mooninfo_2024.txt and mooninfo_2025.txt.\n"
           "// Do not edit; do not commit.\n"
           "#include \"nasa/nasa_tables.h\"\n";
    for (std::size_t t = 0; t < kTables.size(); ++t) {
      out << "\nconstexpr NasaHourRecord " << kTables[t].Name << "[" << tables[t].size() << "] = {\n";
      for (const std::string& row : tables[t]) out << row << ",\n";
      out << "};\n";
    }
    out.flush();
    if (!out) throw InputError(temporary, 0, "cannot write the file");
  }
  if (std::rename(temporary.c_str(), output.c_str()) != 0)
    throw InputError(output, 0, "cannot replace the file");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: gen_nasa_tables OUTPUT.cpp mooninfo_2024.txt mooninfo_2025.txt\n";
    return 1;
  }
  try {
    const std::array<std::vector<std::string>, 2> tables = {ReadTable(kTables[0], argv[2]),
                                                            ReadTable(kTables[1], argv[3])};
    WriteSource(argv[1], tables);
  } catch (const std::exception& e) {
    std::cerr << e.what() << '\n';
    return 1;
  }
  return 0;
}
