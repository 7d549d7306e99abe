// Build-time generator of the astronomy engine's constant series: the IAU 1980 and
// IAU 2000A nutation series, Meeus's Tables 47.A and 47.B of the Moon and the
// fourteen planetary corrections of the lunar phases (Meeus, chapter 49).
//
//   gen_astro_tables OUT.h OUT.cpp nutation_iau1980.csv nutation_iau2000a.csv
//                    meeus_47a.csv meeus_47b.csv meeus_49_additional.csv
//
// Every file is checked (column and row counts, number syntax and range, the rows
// whose published values are known); any problem ends the program with status 1
// and one line "file:line: message", and nothing is written.
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <limits>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "data_csv.h"

namespace {

using namespace data_csv;

std::int32_t ParseInt(const CsvTable& t, const Row& row, std::size_t column) {
  const std::string& text = row.Fields[column];
  char* end = nullptr;
  errno = 0;
  const long long v = std::strtoll(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || errno == ERANGE ||
      v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max())
    t.Fail(row, "column " + std::to_string(column + 1) + ": not a 32-bit integer: '" + text + "'");
  return static_cast<std::int32_t>(v);
}

std::vector<std::int32_t> IntRow(const CsvTable& t, const Row& row) {
  std::vector<std::int32_t> values;
  for (std::size_t c = 0; c < row.Fields.size(); ++c) values.push_back(ParseInt(t, row, c));
  return values;
}

std::string Joined(const std::vector<std::int32_t>& values) {
  std::string s;
  for (std::size_t i = 0; i < values.size(); ++i) s += (i ? ", " : "") + std::to_string(values[i]);
  return s;
}

void ExpectRow(const CsvTable& t, std::size_t index, const std::vector<std::int32_t>& expected,
               const char* what) {
  const std::vector<std::int32_t> actual = IntRow(t, t.Rows[index]);
  if (actual != expected)
    t.Fail(t.Rows[index], std::string(what) + " should be " + Joined(expected) + ", found " +
                              Joined(actual));
}

// Largest |multiplier| in the first `columns` columns of the first `rows` rows. The
// published series stay far below 64; anything larger is a damaged file.
std::int32_t LargestMultiplier(const CsvTable& t, std::size_t columns, std::size_t rows) {
  constexpr std::int32_t kLimit = 64;
  std::int32_t largest = 0;
  for (std::size_t r = 0; r < rows; ++r)
    for (std::size_t c = 0; c < columns; ++c) {
      const std::int32_t v = ParseInt(t, t.Rows[r], c);
      if (v < -kLimit || v > kLimit)
        t.Fail(t.Rows[r], "column " + std::to_string(c + 1) + ": multiplier " + std::to_string(v) +
                              " out of range -64 ... 64");
      largest = std::max(largest, v < 0 ? -v : v);
    }
  return largest;
}

// ---- The five tables ------------------------------------------------------------------

void EmitLargestMultiplier(Output& out, const char* name, std::int32_t value) {
  out.Header << "// Largest |multiplier| in the table: the series need the angle multiples up to it.\n"
             << "inline constexpr int " << name << " = " << value << ";\n";
}

void EmitIntTable(Output& out, const CsvTable& t, std::size_t firstRows, const char* type,
                  const char* name) {
  out.Header << "extern const std::array<" << type << ", " << firstRows << "> " << name << ";\n";
  out.Source << "const std::array<" << type << ", " << firstRows << "> " << name << " = {{\n";
  for (std::size_t r = 0; r < firstRows; ++r) {
    const std::vector<std::int32_t> v = IntRow(t, t.Rows[r]);
    out.Source << "    {" << Joined(v) << "},\n";
  }
  out.Source << "}};\n\n";
}

void Iau1980(Output& out, const std::string& path) {
  const CsvTable t = ReadCsv(path, 9);
  ExpectRowCount(t, 106);
  ExpectRow(t, 0, {0, 0, 0, 0, 1, -171996, -1742, 92025, 89}, "first row");
  ExpectRow(t, 105, {0, 1, 0, 1, 0, 1, 0, 0, 0}, "last row");
  out.Header << "// IAU 1980 nutation: multipliers of l, l', F, D, Omega; A, B in 0.0001\",\n"
                "// At, Bt in 0.00001\" per Julian century.\n"
                "struct NutationIau1980Term {\n"
                "  std::int32_t L, Lp, F, D, Om;\n"
                "  std::int32_t A, At, B, Bt;\n"
                "};\n";
  EmitIntTable(out, t, 106, "NutationIau1980Term", "kNutationIau1980Terms");
  EmitLargestMultiplier(out, "kNutationIau1980MaxMultiplier", LargestMultiplier(t, 5, 106));
}

void Iau2000A(Output& out, const std::string& path) {
  const CsvTable t = ReadCsv(path, 20);
  ExpectRowCount(t, 1365);
  ExpectRow(t, 0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, -172064161, -174666, 33386, 92052331,
                   9086, 15377},
            "first row");
  ExpectRow(t, 678, {0, 0, 8, -16, 4, 5, 0, 0, 0, 0, 0, 0, 0, 0, 1440, 0, 0, 0, 0, 0},
            "row 679 (first planetary row)");
  for (std::size_t r = 0; r < t.Rows.size(); ++r) {
    const std::vector<std::int32_t> v = IntRow(t, t.Rows[r]);
    const bool lunisolar = r < 678;
    for (int k = 0; k < 9 && lunisolar; ++k)
      if (v[k] != 0) t.Fail(t.Rows[r], "a luni-solar row has a planetary multiplier");
    if (!lunisolar && (v[10] != 0 || v[15] != 0 || v[18] != 0))
      t.Fail(t.Rows[r], "a planetary row has an l' multiplier or a T coefficient");
  }
  out.Header << "// IAU 2000A nutation: multipliers of Mercury ... Neptune, pA, l, l', F, D, Omega;\n"
                "// A, At, Ac, B, Bt, Bs in 0.1 microarcsecond (At, Bt per Julian century).\n"
                "struct NutationIau2000ATerm {\n"
                "  std::int32_t Multipliers[14];\n"
                "  std::int32_t A, At, Ac, B, Bt, Bs;\n"
                "};\n";
  out.Header << "extern const std::array<NutationIau2000ATerm, 1365> kNutationIau2000ATerms;\n";
  EmitLargestMultiplier(out, "kNutationIau2000AMaxMultiplier", LargestMultiplier(t, 14, 1365));
  out.Source << "const std::array<NutationIau2000ATerm, 1365> kNutationIau2000ATerms = {{\n";
  for (const Row& row : t.Rows) {
    const std::vector<std::int32_t> v = IntRow(t, row);
    out.Source << "    {{" << Joined({v.begin(), v.begin() + 14}) << "}, "
               << Joined({v.begin() + 14, v.end()}) << "},\n";
  }
  out.Source << "}};\n\n";
}

void Meeus47A(Output& out, const std::string& path) {
  const CsvTable t = ReadCsv(path, 6);
  ExpectRowCount(t, 60);
  ExpectRow(t, 0, {0, 0, 1, 0, 6288774, -20905355}, "first row");
  int longitudeRows = 0, distanceRows = 0;
  for (const Row& row : t.Rows) {
    const std::vector<std::int32_t> v = IntRow(t, row);
    if (v[1] < -2 || v[1] > 2) t.Fail(row, "the multiplier of M must lie in -2 ... 2");
    longitudeRows += v[4] != 0;
    distanceRows += v[5] != 0;
  }
  if (longitudeRows != 59 || distanceRows != 46)
    t.Fail(t.LastLine, "expected 59 longitude and 46 distance terms, found " +
                           std::to_string(longitudeRows) + " and " + std::to_string(distanceRows));
  out.Header << "// Meeus Table 47.A: multipliers of D, M, M', F; SigmaL (sine) in 0.000001 degree,\n"
                "// SigmaR (cosine) in 0.001 km.\n"
                "struct MoonLongitudeDistanceTerm {\n"
                "  std::int32_t D, M, Mp, F;\n"
                "  std::int32_t SigmaL, SigmaR;\n"
                "};\n";
  EmitIntTable(out, t, 60, "MoonLongitudeDistanceTerm", "kMoonLongitudeDistanceTerms");
  EmitLargestMultiplier(out, "kMoonLongitudeDistanceMaxMultiplier", LargestMultiplier(t, 4, 60));
}

// Only the first 48 rows of Table 47.B, down to the two terms of coefficient 223,
// enter the Moon's latitude; the twelve smallest terms after them do not.
void Meeus47B(Output& out, const std::string& path) {
  const CsvTable t = ReadCsv(path, 5);
  ExpectRowCount(t, 60);
  ExpectRow(t, 0, {0, 0, 0, 1, 5128122}, "first row");
  ExpectRow(t, 46, {1, 1, 0, -1, 223}, "row 47 (M + D - F)");
  ExpectRow(t, 47, {1, 1, 0, 1, 223}, "row 48 (M + D + F)");
  for (const Row& row : t.Rows) {
    const std::int32_t m = ParseInt(t, row, 1);
    if (m < -2 || m > 2) t.Fail(row, "the multiplier of M must lie in -2 ... 2");
  }
  out.Header << "// Meeus Table 47.B, rows 1 to 48: multipliers of D, M, M', F; SigmaB (sine) in\n"
                "// 0.000001 degree.\n"
                "struct MoonLatitudeTerm {\n"
                "  std::int32_t D, M, Mp, F;\n"
                "  std::int32_t SigmaB;\n"
                "};\n";
  EmitIntTable(out, t, 48, "MoonLatitudeTerm", "kMoonLatitudeTerms");
  EmitLargestMultiplier(out, "kMoonLatitudeMaxMultiplier", LargestMultiplier(t, 4, 48));
}

void Meeus49(Output& out, const std::string& path) {
  const CsvTable t = ReadCsv(path, 5);
  ExpectRowCount(t, 14);
  for (std::size_t r = 0; r < t.Rows.size(); ++r)
    if (ParseInt(t, t.Rows[r], 0) != static_cast<std::int32_t>(r + 1))
      t.Fail(t.Rows[r], "expected index " + std::to_string(r + 1));
  const auto expect = [&](std::size_t r, const std::vector<double>& values) {
    for (std::size_t c = 1; c < 5; ++c)
      if (std::strtod(ParseReal(t, t.Rows[r], c).c_str(), nullptr) != values[c - 1])
        t.Fail(t.Rows[r], "column " + std::to_string(c + 1) + " differs from the published A" +
                              std::to_string(r + 1) + " term");
  };
  expect(0, {299.77, 0.107408, -0.009173, 0.000325});
  expect(1, {251.88, 0.016321, 0, 0.000165});
  expect(13, {331.55, 3.592518, 0, 0.000023});
  out.Header << "// Meeus chapter 49, A1 ... A14: argument c0 + ck*k + cT2*T^2 degrees,\n"
                "// Amplitude in days.\n"
                "struct PhaseCorrectionTerm {\n"
                "  double C0, Ck, CT2, Amplitude;\n"
                "};\n"
                "extern const std::array<PhaseCorrectionTerm, 14> kPhaseCorrectionTerms;\n";
  out.Source << "const std::array<PhaseCorrectionTerm, 14> kPhaseCorrectionTerms = {{\n";
  for (const Row& row : t.Rows)
    out.Source << "    {" << ParseReal(t, row, 1) << ", " << ParseReal(t, row, 2) << ", "
               << ParseReal(t, row, 3) << ", " << ParseReal(t, row, 4) << "},\n";
  out.Source << "}};\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 8) {
    std::cerr << "usage: gen_astro_tables OUT.h OUT.cpp nutation_iau1980.csv "
                 "nutation_iau2000a.csv meeus_47a.csv meeus_47b.csv meeus_49_additional.csv\n";
    return 1;
  }
  try {
    Output out;
    Iau1980(out, argv[3]);
    Iau2000A(out, argv[4]);
    Meeus47A(out, argv[5]);
    Meeus47B(out, argv[6]);
    Meeus49(out, argv[7]);
    WriteOutput("gen_astro_tables", "astro", argv[1], argv[2], "#include <array>\n#include <cstdint>\n", out);
  } catch (const std::exception& e) {
    std::cerr << e.what() << '\n';
    return 1;
  }
  return 0;
}
