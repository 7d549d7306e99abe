// The Moon ephemeris against NASA's hourly tables of 2024, 2025 and 2026 (every
// hour of the three files), and its range of instants.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "astro/moon_ephemeris.h"
#include "astro/time_scales.h"

namespace {

constexpr int kColumns = 11;

struct NasaRow {
  long double Instant;
  std::array<double, kColumns> Values;  // Phase ... AxisA, NASA's units
};

// Every data line of a yearly file: "DD Mon YYYY HH:MM UT" and eleven numbers.
std::vector<NasaRow> ReadNasaFile(const std::string& name) {
  std::ifstream in(std::string(ORVANEL_TEST_DATA_DIR) + "/nasa/" + name);
  EXPECT_TRUE(in.good()) << name;
  static const std::string kMonths = "JanFebMarAprMayJunJulAugSepOctNovDec";
  std::vector<NasaRow> rows;
  for (std::string line; std::getline(in, line);) {
    int day = 0, year = 0, hour = 0, minute = 0, used = 0;
    char month[4] = {};
    if (std::sscanf(line.c_str(), "%d %3s %d %d:%d UT%n", &day, month, &year, &hour, &minute, &used) != 5) continue;
    NasaRow row{EncodeDateTimeOrZero(year, static_cast<int>(kMonths.find(month)) / 3 + 1, day, hour, minute, 0, 0), {}};
    std::istringstream numbers(line.substr(used));
    for (double& v : row.Values) numbers >> v;
    EXPECT_TRUE(numbers && row.Instant != 0) << name << ": " << line;
    rows.push_back(row);
  }
  return rows;
}

// Differences in the units of the limits: RA as RA cos Dec and Dec in arc seconds,
// the angles reduced to -180 ... 180.
std::array<double, kColumns> Differences(const MoonHourValues& m, const NasaRow& nasa) {
  const std::array<double, kColumns> ours = {
      static_cast<double>(m.Phase), static_cast<double>(m.Age),  static_cast<double>(m.Diam),
      static_cast<double>(m.Dist),  static_cast<double>(m.RA),   static_cast<double>(m.Dec),
      static_cast<double>(m.Slon),  static_cast<double>(m.Slat), static_cast<double>(m.Elon),
      static_cast<double>(m.Elat),  static_cast<double>(m.AxisA)};
  std::array<double, kColumns> d{};
  for (int i = 0; i < kColumns; ++i) d[i] = ours[i] - nasa.Values[i];
  d[4] = std::remainder(d[4], 24.0) * 15 * 3600 * std::cos(nasa.Values[5] * M_PI / 180);
  d[5] *= 3600;
  for (int i : {6, 8, 10}) d[i] = std::remainder(d[i], 360.0);
  return d;
}

}  // namespace

// NASA prints Phase to 0.01, Age to 0.001 d, Diam to 0.1", Dist to 1 km, RA to
// 0.0001 h (1.5"), Dec to 0.0001 deg (0.36") and the selenographic angles to
// 0.001 deg. The limits allow the truncated lunar series (a few arc seconds),
// Delta T's extrapolation (2.8 s, 1.5" in RA in these years) and that rounding; a wrong
// time scale, frame, aberration or rotation term exceeds them.
TEST(MoonEphemeris, AgreesWithNasaAtEveryHourOf2024To2026) {
  std::vector<NasaRow> rows;
  for (const char* name : {"mooninfo_2024.txt", "mooninfo_2025.txt", "mooninfo_2026.txt"}) {
    const std::vector<NasaRow> year = ReadNasaFile(name);
    rows.insert(rows.end(), year.begin(), year.end());
  }
  ASSERT_EQ(rows.size(), 26305u);
  static const char* const kNames[kColumns] = {"Phase", "Age",  "Diam", "Dist", "RA cos Dec", "Dec",
                                               "Slon",  "Slat", "Elon", "Elat", "AxisA"};
  static const char* const kUnits[kColumns] = {"%", "d", "\"", "km", "\"", "\"", "deg", "deg", "deg", "deg", "deg"};
  constexpr std::array<double, kColumns> kLimits = {0.02, 0.002, 0.2, 20, 8, 5, 0.012, 0.012, 0.008, 0.008, 0.008};
  std::array<double, kColumns> largest{};
  std::array<long double, kColumns> where{};
  for (const NasaRow& row : rows) {
    const std::array<double, kColumns> d = Differences(ComputeMoonHourValues(row.Instant), row);
    for (int i = 0; i < kColumns; ++i)
      if (!(std::fabs(d[i]) <= largest[i])) largest[i] = std::fabs(d[i]), where[i] = row.Instant;
  }
  for (int i = 0; i < kColumns; ++i) {
    std::printf("%-10s largest difference %.5f %s at day %.4Lf\n", kNames[i], largest[i], kUnits[i], where[i]);
    EXPECT_LE(largest[i], kLimits[i]) << kNames[i] << " at day " << static_cast<double>(where[i]);
  }
}

TEST(MoonEphemeris, CoversTheYears1600To3999Only) {
  constexpr long double kFirst = -109571.0L, kLast = 767010.999L;  // 1600-01-01 00:00, 3999-12-31 23:58:33
  for (long double x : {kFirst, kLast}) {
    const MoonHourValues m = ComputeMoonHourValues(x);
    EXPECT_GT(m.Dist, 350000) << static_cast<double>(x);
    EXPECT_LT(m.Dist, 410000) << static_cast<double>(x);
    EXPECT_GE(m.Age, 0) << static_cast<double>(x);
    EXPECT_LT(m.Age, 29.9) << static_cast<double>(x);
  }
  EXPECT_EQ(EncodeDate(1600, 1, 1), kFirst);
  EXPECT_THROW(ComputeMoonHourValues(kFirst - 1e-6L), std::domain_error);
  EXPECT_THROW(ComputeMoonHourValues(EncodeDate(4000, 1, 1)), std::domain_error);
  EXPECT_THROW(ComputeMoonHourValues(NAN), std::domain_error);
}
