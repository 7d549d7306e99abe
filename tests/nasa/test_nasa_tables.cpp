// The compiled-in NASA tables against NASA's published rows, and the hour lookup.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "astro/time_scales.h"
#include "nasa/nasa_tables.h"

namespace {

constexpr long double kHour = 1.0L / 24.0L;

long double At(int year, int month, int day, int hour, int minute = 0, int second = 0) {
  return EncodeDateTimeOrZero(year, month, day, hour, minute, second, 0);
}

std::vector<long double> Numbers(const std::string& text) {
  std::istringstream in(text);
  std::vector<long double> values;
  for (std::string word; in >> word;) values.push_back(std::strtold(word.c_str(), nullptr));
  return values;
}

void ExpectRow(const NasaHourRecord& row, long double dateTime, const std::string& nasaColumns) {
  const auto fields = NasaFields(row);
  const std::vector<long double> expected = Numbers(nasaColumns);
  ASSERT_EQ(expected.size(), 11u);
  EXPECT_EQ(fields[0], dateTime);
  for (int c = 1; c < kNasaColumnCount; ++c) EXPECT_EQ(fields[c], expected[c - 1]) << kNasaColumnNames[c];
}

TEST(NasaTables, CheckRowsMatchNasa) {
  ExpectRow(NasaMoonData2024[0], 45292.0L,
            "78.03 19.019 1771.3 404634 10.5867 12.7508 -55.867 -1.554 0.041 -4.685 20.699");
  ExpectRow(NasaMoonData2025[0], 45658.0L,
            "1.47 1.065 1877.5 381744 19.7533 -25.9205 162.189 -1.520 -4.627 6.051 350.387");
  ExpectRow(NasaMoonData2025[8759], 46022.95833333L,
            "91.12 11.887 1984.8 361108 4.1894 26.2210 33.025 -1.347 -1.356 -6.550 349.663");
}

// The DateTime column is the start of the year plus r/24, rounded to 8 decimals.
TEST(NasaTables, DateTimeColumnIsTheHourRoundedToEightDecimals) {
  const struct {
    NasaHourTable Table;
    long double Start;
  } years[] = {{NasaMoonData2024, 45292.0L}, {NasaMoonData2025, 45658.0L}};
  for (const auto& y : years) {
    for (std::size_t r = 0; r < y.Table.size(); ++r) {
      const long double exact = y.Start + r * kHour;
      const long double scaled = y.Table[r].DateTime * 1e8L;
      // Half a unit of the 8th decimal, plus the representation error of the literal.
      ASSERT_NEAR(y.Table[r].DateTime, exact, 0.5e-8L + 1e-12L) << "row " << r;
      ASSERT_NEAR(scaled, std::round(scaled), 1e-3L) << "row " << r;
    }
  }
  EXPECT_EQ(NasaMoonData2024[8783].DateTime, 45657.95833333L);
}

// NASA's raw text, read here independently of the generator: row r of a year is the
// data line whose date and hour are r hours after 1 January 00:00.
struct RawRow {
  long double DateTime;
  std::vector<long double> Values;
};

std::vector<RawRow> ReadRawRows(const std::string& file, int year) {
  std::ifstream in(std::string(ORVANEL_TEST_DATA_DIR) + "/nasa/" + file);
  EXPECT_TRUE(in.good()) << file;
  std::vector<RawRow> rows;
  static const char* kMonths = "JanFebMarAprMayJunJulAugSepOctNovDec";
  for (std::string line; std::getline(in, line);) {
    int day = 0, y = 0, hour = 0, minute = 0;
    char month[4] = {};
    int used = 0;
    if (std::sscanf(line.c_str(), "%d %3s %d %d:%d UT%n", &day, month, &y, &hour, &minute, &used) != 5 || y != year)
      continue;
    const int m = static_cast<int>(std::string(kMonths).find(month)) / 3 + 1;
    rows.push_back({EncodeDateTimeOrZero(y, m, day, hour, minute, 0, 0), Numbers(line.substr(used))});
  }
  return rows;
}

TEST(NasaTables, SampledRowsEqualNasaRawText) {
  const struct {
    const char* File;
    int Year;
    NasaHourTable Table;
  } years[] = {{"mooninfo_2024.txt", 2024, NasaMoonData2024}, {"mooninfo_2025.txt", 2025, NasaMoonData2025}};
  for (const auto& y : years) {
    const std::vector<RawRow> raw = ReadRawRows(y.File, y.Year);
    ASSERT_EQ(raw.size(), y.Table.size()) << y.File;
    // Every 37th row (a step prime to 24 visits every hour of the day) and the last one.
    std::vector<std::size_t> sample;
    for (std::size_t r = 0; r < raw.size(); r += 37) sample.push_back(r);
    sample.push_back(raw.size() - 1);
    for (const std::size_t r : sample) {
      const auto fields = NasaFields(y.Table[r]);
      ASSERT_EQ(raw[r].Values.size(), 11u) << y.File << " row " << r;
      EXPECT_NEAR(fields[0], raw[r].DateTime, 1e-8L) << y.File << " row " << r;
      for (int c = 1; c < kNasaColumnCount; ++c)
        EXPECT_EQ(fields[c], raw[r].Values[c - 1]) << y.File << " row " << r << " " << kNasaColumnNames[c];
    }
    EXPECT_GT(sample.size(), 200u);
  }
}

const NasaHourRecord* Lookup(long double x) { return &GetNASAData(x); }

TEST(GetNASAData, ReadsTheRowOfTheHour) {
  EXPECT_EQ(Lookup(At(2024, 1, 1, 0)), &NasaMoonData2024[0]);
  EXPECT_EQ(Lookup(At(2024, 2, 29, 12)), &NasaMoonData2024[59 * 24 + 12]);
  EXPECT_EQ(Lookup(At(2024, 12, 31, 23)), &NasaMoonData2024[8783]);
  EXPECT_EQ(Lookup(At(2025, 1, 1, 0)), &NasaMoonData2025[0]);
  EXPECT_EQ(Lookup(At(2025, 12, 31, 23)), &NasaMoonData2025[8759]);
  // Within an hour up to 58 min 45 s the row stays; from there on it is the next hour's.
  EXPECT_EQ(Lookup(At(2024, 3, 10, 4, 30)), &NasaMoonData2024[69 * 24 + 4]);
  EXPECT_EQ(Lookup(At(2024, 3, 10, 4, 58, 44)), &NasaMoonData2024[69 * 24 + 4]);
  EXPECT_EQ(Lookup(At(2024, 3, 10, 4, 58, 46)), &NasaMoonData2024[69 * 24 + 5]);
}

TEST(GetNASAData, EveryWholeHourFindsTheRowOfItsOwnDateTime) {
  for (long double x = 45292.0L; x < 46023.0L - kHour / 2; x += kHour) {
    const NasaHourRecord& row = GetNASAData(x);
    ASSERT_NEAR(row.DateTime, x, 1e-7L) << "instant " << static_cast<double>(x);
  }
}

TEST(GetNASAData, OtherYearsReadTheSameHourOf2025) {
  EXPECT_EQ(Lookup(At(2026, 6, 1, 0)), &NasaMoonData2025[151 * 24]);
  EXPECT_EQ(Lookup(At(2023, 12, 31, 22)), &NasaMoonData2025[8758]);
  EXPECT_EQ(Lookup(At(2027, 7, 4, 5)), &NasaMoonData2025[184 * 24 + 5]);
}

TEST(GetNASAData, HoursPastTheEndOfATableStayInsideTheTables) {
  // The last 75 seconds of 2024 count as the first hour of 2025.
  EXPECT_EQ(Lookup(At(2024, 12, 31, 23, 59)), &NasaMoonData2025[0]);
  // The same at the end of 2025, and of a later common year, give the last row.
  const NasaHourRecord* late2025 = Lookup(At(2025, 12, 31, 23, 59, 30));
  EXPECT_EQ(late2025, &NasaMoonData2025[8759]);
  EXPECT_EQ(late2025->AxisA, 349.663L);
  EXPECT_EQ(Lookup(At(2025, 12, 31, 23, 30)), &NasaMoonData2025[8759]);
  EXPECT_EQ(Lookup(At(2027, 12, 31, 23, 59, 30)), &NasaMoonData2025[8759]);
  // The extra day of a leap year other than 2024 has no row in the 2025 table.
  EXPECT_EQ(Lookup(At(2028, 12, 31, 12)), &NasaMoonData2025[8759]);
  EXPECT_EQ(Lookup(At(2028, 12, 31, 23, 59, 30)), &NasaMoonData2025[8759]);
}

TEST(GetNASAData, FarInstantsStayInsideTheTables) {
  const auto inside = [](const NasaHourRecord* p) {
    return (p >= NasaMoonData2024 && p < NasaMoonData2024 + kNasaRows2024) ||
           (p >= NasaMoonData2025 && p < NasaMoonData2025 + kNasaRows2025);
  };
  for (long double x : {1.0L, 2.5L, 36526.99999L, 45291.9999L, 46022.99999L, 100000.0L, 2958465.5L})
    EXPECT_TRUE(inside(Lookup(x))) << static_cast<double>(x);
}

}  // namespace
