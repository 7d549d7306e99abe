#include "nasa/computed_year_table.h"

#include <array>
#include <cstdio>
#include <stdexcept>

#include "astro/moon_ephemeris.h"
#include "astro/time_scales.h"
#include "nasa/nasa_tables.h"

namespace {

// Where each of NASA's eleven value columns ends, counted from the end of the
// 20-character "DD Mon YYYY HH:00 UT".
constexpr std::array<int, kNasaColumnCount - 1> kColumnWidths = {7, 8, 8, 8, 9, 10, 10, 9, 8, 9, 9};

constexpr std::array<const char*, 12> kMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

}  // namespace

std::string NasaValueText(int Column, long double Value) {
  char text[48];
  std::snprintf(text, sizeof text, "%.*Lf", kNasaDecimals[Column], Value);
  return text;
}

std::string NasaTableHeader() {
  return "   Date       Time    Phase    Age    Diam    Dist     RA        Dec      Slon      Slat     Elon     "
         "Elat   AxisA";
}

std::string NasaTableLine(long double Hour, const MoonHourValues& v) {
  const CivilDateTime c = DecodeDateTime(Hour);
  char text[160];
  int length = std::snprintf(text, sizeof text, "%02d %s %04d %02d:00 UT", c.Day, kMonthNames[c.Month - 1],
                             c.Year, c.Hour);
  const std::array<long double, kNasaColumnCount> fields =
      NasaFields({Hour, v.Phase, v.Age, v.Diam, v.Dist, v.RA, v.Dec, v.Slon, v.Slat, v.Elon, v.Elat, v.AxisA});
  for (int column = 1; column < kNasaColumnCount; ++column)
    length += std::snprintf(text + length, sizeof text - static_cast<std::size_t>(length), "%*s",
                            kColumnWidths[column - 1], NasaValueText(column, fields[column]).c_str());
  return text;
}

std::vector<std::string> ComputedYearTable(int Year) {
  if (Year < 1600 || Year > 3999) throw std::domain_error("the ephemeris covers the years 1600 to 3999 only");
  const long double first = EncodeDate(Year, 1, 1);
  const int hours = (IsLeapYear(Year) ? 366 : 365) * 24;
  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(hours) + 1);
  lines.push_back(NasaTableHeader());
  for (int h = 0; h < hours; ++h) {
    const long double hour = first + h / 24.0L;
    lines.push_back(NasaTableLine(hour, ComputeMoonHourValues(hour)));
  }
  return lines;
}

std::string ComputedYearTableFileName(int Year) { return "mooninfo_" + std::to_string(Year) + "_orvanel.txt"; }
