// One data line of NASA SVS's yearly "Moon Phase and Libration" tables, split into
// words and checked: the date and hour it names and the text of its eleven values,
// each with NASA's decimals. Shared by gen_nasa_tables, its fuzz target and the
// check of a downloaded yearly table.
//
//   DD Mon YYYY HH:00 UT  Phase Age Diam Dist RA Dec Slon Slat Elon Elat AxisA
#pragma once

#include <algorithm>
#include <array>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "astro/time_scales.h"
#include "nasa/nasa_tables.h"

inline constexpr int kValueColumns = kNasaColumnCount - 1;  // the eleven NASA columns after the date

class InputError : public std::runtime_error {
 public:
  InputError(const std::string& file, int line, const std::string& message)
      : std::runtime_error(file + ":" + std::to_string(line) + ": " + message) {}
};

// Zero-based day of the year of a valid date; -1 when the date does not exist.
inline int DayOfYear(int year, int month, int day) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const int length = kDays[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
  if (day < 1 || day > length) return -1;
  int before = 0;
  for (int m = 1; m < month; ++m) before += kDays[m - 1] + (m == 2 && IsLeapYear(year) ? 1 : 0);
  return before + day - 1;
}

inline int MonthNumber(const std::string& name) {
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

inline bool IsDigits(const std::string& text, std::size_t minLength, std::size_t maxLength) {
  return text.size() >= minLength && text.size() <= maxLength &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The number of decimals of a plain decimal number such as "-55.867"; -1 for anything else.
inline int DecimalsOf(const std::string& text) {
  const std::size_t start = !text.empty() && text[0] == '-' ? 1 : 0;
  const std::size_t point = text.find('.');
  if (point == std::string::npos) return IsDigits(text.substr(start), 1, 20) ? 0 : -1;
  const std::string whole = text.substr(start, point - start), fraction = text.substr(point + 1);
  return IsDigits(whole, 1, 20) && IsDigits(fraction, 1, 20) ? static_cast<int>(fraction.size()) : -1;
}

inline DataLine ParseDataLine(const std::vector<std::string>& words, const std::string& file, int line) {
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

inline std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}
