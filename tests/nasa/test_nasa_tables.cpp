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

NasaHourRecord Row(int year, int r) { return NasaRecord(*NasaTableOf(year), r); }

TEST(NasaTables, CheckRowsMatchNasa) {
  ExpectRow(Row(2024, 0), 45292.0L, "78.03 19.019 1771.3 404634 10.5867 12.7508 -55.867 -1.554 0.041 -4.685 20.699");
  ExpectRow(Row(2025, 0), 45658.0L, "1.47 1.065 1877.5 381744 19.7533 -25.9205 162.189 -1.520 -4.627 6.051 350.387");
  ExpectRow(Row(2025, 8759), 46022.95833333L,
            "91.12 11.887 1984.8 361108 4.1894 26.2210 33.025 -1.347 -1.356 -6.550 349.663");
  ExpectRow(Row(2026, 0), 46023.0L, "91.40 11.928 1985.1 361045 4.2348 26.3373 32.520 -1.346 -1.279 -6.556 349.893");
  ExpectRow(Row(2026, 8759), 46387.95833333L,
            "38.23 22.922 1831.9 391253 13.3468 -13.4661 -96.377 -1.015 7.206 5.967 21.263");
}

// The registry holds NASA's published years in order, each with one row for every
// hour of its year, stored as scaled integers (44 bytes an hour instead of 192).
TEST(NasaTables, EveryYearHasEveryHourOnceInOrder) {
  std::vector<int> years;
  for (const NasaYearTable& t : NasaYearTables()) {
    years.push_back(t.Year);
    EXPECT_EQ(t.FirstDay, EncodeDate(t.Year, 1, 1));
    EXPECT_EQ(t.Rows.size(), static_cast<std::size_t>(IsLeapYear(t.Year) ? 8784 : 8760)) << t.Year;
  }
  EXPECT_EQ(years, (std::vector<int>{2024, 2025, 2026}));
  EXPECT_EQ(sizeof(NasaHourRow), 44u);
  EXPECT_EQ(NasaTableOf(2023), nullptr);
  EXPECT_EQ(NasaTableOf(2027), nullptr);
}

// The DateTime column is the start of the year plus r/24, rounded to 8 decimals.
TEST(NasaTables, DateTimeColumnIsTheHourRoundedToEightDecimals) {
  for (const NasaYearTable& t : NasaYearTables()) {
    for (std::size_t r = 0; r < t.Rows.size(); ++r) {
      const long double dateTime = NasaRecord(t, static_cast<int>(r)).DateTime;
      const long double scaled = dateTime * 1e8L;
      ASSERT_NEAR(dateTime, t.FirstDay + r * kHour, 0.5e-8L + 1e-12L) << t.Year << " row " << r;
      ASSERT_NEAR(scaled, std::round(scaled), 1e-3L) << t.Year << " row " << r;
    }
  }
  EXPECT_EQ(Row(2024, 8783).DateTime, 45657.95833333L);
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

// Every row, as the tables are packed as differences between hours: one wrong value
// would spoil all later hours of its column.
TEST(NasaTables, EveryRowEqualsNasaRawText) {
  for (const NasaYearTable& t : NasaYearTables()) {
    const std::string file = "mooninfo_" + std::to_string(t.Year) + ".txt";
    const std::vector<RawRow> raw = ReadRawRows(file, t.Year);
    ASSERT_EQ(raw.size(), t.Rows.size()) << file;
    for (std::size_t r = 0; r < raw.size(); ++r) {
      const auto fields = NasaFields(NasaRecord(t, static_cast<int>(r)));
      ASSERT_EQ(raw[r].Values.size(), 11u) << file << " row " << r;
      ASSERT_NEAR(fields[0], raw[r].DateTime, 1e-8L) << file << " row " << r;
      for (int c = 1; c < kNasaColumnCount; ++c)
        ASSERT_EQ(fields[c], raw[r].Values[c - 1]) << file << " row " << r << " " << kNasaColumnNames[c];
    }
  }
}

// Rows are told apart by their DateTime.
long double Lookup(long double x) { return GetNASAData(x).DateTime; }

TEST(GetNASAData, ReadsTheRowOfTheHour) {
  EXPECT_EQ(Lookup(At(2024, 1, 1, 0)), Row(2024, 0).DateTime);
  EXPECT_EQ(Lookup(At(2024, 2, 29, 12)), Row(2024, 59 * 24 + 12).DateTime);
  EXPECT_EQ(Lookup(At(2026, 12, 8, 20)), Row(2026, 341 * 24 + 20).DateTime);
  // Within an hour up to 58 min 45 s the row stays; from there on it is the next hour's.
  EXPECT_EQ(Lookup(At(2024, 3, 10, 4, 58, 44)), Row(2024, 69 * 24 + 4).DateTime);
  EXPECT_EQ(Lookup(At(2024, 3, 10, 4, 58, 46)), Row(2024, 69 * 24 + 5).DateTime);
  EXPECT_EQ(GetNASAData(At(2026, 12, 8, 20)).AxisA, Row(2026, 341 * 24 + 20).AxisA);
}

TEST(GetNASAData, EveryWholeHourFindsTheRowOfItsOwnDateTime) {
  for (long double x = 45292.0L; x < 46388.0L - kHour / 2; x += kHour)
    ASSERT_NEAR(Lookup(x), x, 1e-7L) << "instant " << static_cast<double>(x);
}

TEST(GetNASAData, HoursPastTheEndOfATableGoOnInTheNextYearsTable) {
  // The last 75 seconds of a year count as the first hour of the next one.
  EXPECT_EQ(Lookup(At(2024, 12, 31, 23, 59)), Row(2025, 0).DateTime);
  EXPECT_EQ(Lookup(At(2025, 12, 31, 23, 59, 30)), Row(2026, 0).DateTime);
  // After the last published year there is no next table: its last row.
  EXPECT_EQ(Lookup(At(2026, 12, 31, 23, 59, 30)), Row(2026, 8759).DateTime);
}

TEST(GetNASAData, YearsWithoutATableReadTheNearestYearsAndStayInside) {
  EXPECT_FALSE(HasNasaTable(At(2027, 7, 4, 5)));
  EXPECT_TRUE(HasNasaTable(At(2026, 7, 4, 5)));
  EXPECT_EQ(Lookup(At(2027, 7, 4, 5)), Row(2026, 184 * 24 + 5).DateTime);
  EXPECT_EQ(Lookup(At(2023, 12, 31, 22)), Row(2024, 364 * 24 + 22).DateTime);
  EXPECT_EQ(Lookup(At(2028, 12, 31, 12)), Row(2026, 8759).DateTime);  // a day 2026 does not have
  for (long double x : {-109571.0L, 1.0L, 45291.9999L, 100000.0L, 2958465.5L}) {
    const long double row = Lookup(x);
    EXPECT_TRUE(row >= 45292.0L && row < 46388.0L) << static_cast<double>(x);
  }
}

}  // namespace
