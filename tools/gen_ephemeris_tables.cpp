// Build-time generator of the Moon ephemeris's constant series: the VSOP87B series
// of the Earth (for the Sun's place) and the IAU 2009 model of the Moon's rotation.
//
//   gen_ephemeris_tables OUT.h OUT.cpp vsop87b_earth.csv iau_moon_rotation.csv
//
// VSOP87B is cut here: a term is kept when A |tau|^p, its largest size over the
// years 1600 to 3999 (|tau| <= 2 Julian millennia from J2000), reaches
// kVsopThreshold. The sum of the dropped sizes, a bound of the truncation error
// over those years, goes into the header with the kept series.
//
// Every file is checked (header line, column and row counts, number syntax, the
// order of the series, rows whose published values are known); any problem ends
// the program with status 1 and one line "file:line: message", and nothing is written.
#include <array>
#include <cmath>
#include <cstdlib>
#include <iomanip>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "data_csv.h"

namespace {

using namespace data_csv;

constexpr double kVsopThreshold = 1e-7;  // rad (L, B) or AU (R)
constexpr double kVsopLargestTau = 2.0;  // 3999-12-31 is 2.0 millennia after J2000
constexpr int kVsopPowers = 6;
constexpr const char* kVsopVariables = "LBR";

double Number(const CsvTable& t, const Row& row, std::size_t column) {
  return std::strtod(ParseReal(t, row, column).c_str(), nullptr);
}

// The column line, then `rows` data rows.
void ExpectLayout(const CsvTable& t, const std::string& header, std::size_t rows) {
  if (t.Rows.empty()) t.Fail(t.LastLine, "no data");
  std::string first;
  for (const std::string& f : t.Rows.front().Fields) first += (first.empty() ? "" : ",") + f;
  if (first != header) t.Fail(t.Rows.front(), "expected the column line '" + header + "'");
  if (t.Rows.size() != rows + 1)
    t.Fail(t.LastLine, "expected " + std::to_string(rows) + " rows after the column line, found " +
                           std::to_string(t.Rows.size() - 1));
}

void ExpectValues(const CsvTable& t, std::size_t index, const std::vector<double>& values,
                  std::size_t firstColumn, const char* what) {
  for (std::size_t c = 0; c < values.size(); ++c)
    if (Number(t, t.Rows[index], firstColumn + c) != values[c])
      t.Fail(t.Rows[index], std::string(what) + ": column " + std::to_string(firstColumn + c + 1) +
                                " differs from the published value");
}

// The series (variable, power) in the file's order L0 ... L5, B0 ... R5; each row
// goes to its own series, and the series must come in that order.
void Vsop87(Output& out, const std::string& path) {
  const CsvTable t = ReadCsv(path, 5);
  ExpectLayout(t, "variable,power,A,B,C", 2564);
  ExpectValues(t, 1, {1.75347045673, 0, 0}, 2, "first L0 term");
  ExpectValues(t, 2, {0.03341656453, 4.66925680415, 6283.0758499914}, 2, "second L0 term");
  std::array<std::array<std::vector<std::string>, kVsopPowers>, 3> terms;
  std::array<double, 3> bound{};
  int lastSeries = 0;
  for (std::size_t r = 1; r < t.Rows.size(); ++r) {
    const Row& row = t.Rows[r];
    const std::string& name = row.Fields[0];
    const std::size_t v = std::string(kVsopVariables).find(name);
    if (name.size() != 1 || v == std::string::npos) t.Fail(row, "variable must be L, B or R: '" + name + "'");
    const std::string& powerText = row.Fields[1];
    if (powerText.size() != 1 || powerText[0] < '0' || powerText[0] >= '0' + kVsopPowers)
      t.Fail(row, "power must be 0 ... 5: '" + powerText + "'");
    const int p = powerText[0] - '0';
    const int series = static_cast<int>(v) * kVsopPowers + p;
    if (series < lastSeries) t.Fail(row, "the series must come in the order L0 ... L5, B0 ... B5, R0 ... R5");
    lastSeries = series;
    const double size = std::fabs(Number(t, row, 2)) * std::pow(kVsopLargestTau, p);
    Number(t, row, 3);
    Number(t, row, 4);
    if (size < kVsopThreshold) {
      bound[v] += size;
      continue;
    }
    terms[v][p].push_back("{" + row.Fields[2] + ", " + row.Fields[3] + ", " + row.Fields[4] + "}");
  }
  std::size_t kept = 0;
  for (const auto& variable : terms)
    for (const auto& series : variable) kept += series.size();
  out.Header << std::setprecision(3)
             << "// VSOP87B Earth: term A cos(B + C tau), tau in Julian millennia TDB from J2000;\n"
                "// A in rad (L, B) or AU (R), B in rad, C in rad per millennium.\n"
                "struct VsopEarthTerm {\n  double A, B, C;\n};\n"
                "// The run of kVsopEarthTerms that multiplies tau^p in one coordinate.\n"
                "struct VsopEarthSeries {\n  int First, Count;\n};\n"
                "inline constexpr int kVsopEarthPowers = " << kVsopPowers << ";\n"
             << "extern const std::array<VsopEarthTerm, " << kept << "> kVsopEarthTerms;\n"
             << "// [coordinate L, B, R][power of tau]\n"
                "extern const std::array<std::array<VsopEarthSeries, kVsopEarthPowers>, 3> kVsopEarthSeries;\n"
             << "// Terms kept: A |tau|^p >= " << kVsopThreshold << " for |tau| <= " << kVsopLargestTau
             << ". Sum of the dropped A |tau|^p, a bound\n// of the truncation error in 1600 ... 3999:"
             << " L, B in rad, R in AU.\n"
             << "inline constexpr std::array<double, 3> kVsopEarthTruncationBound = {" << std::setprecision(6)
             << bound[0] << ", " << bound[1] << ", " << bound[2] << "};\n";
  out.Source << "const std::array<VsopEarthTerm, " << kept << "> kVsopEarthTerms = {{\n";
  std::ostringstream series;
  int first = 0;
  for (std::size_t v = 0; v < 3; ++v) {
    series << "    {{";
    for (int p = 0; p < kVsopPowers; ++p) {
      for (const std::string& term : terms[v][p]) out.Source << "    " << term << ",\n";
      const int count = static_cast<int>(terms[v][p].size());
      series << (p ? ", " : "") << "{" << first << ", " << count << "}";
      first += count;
    }
    series << "}},\n";
  }
  out.Source << "}};\n\nconst std::array<std::array<VsopEarthSeries, kVsopEarthPowers>, 3> kVsopEarthSeries = {{\n"
             << series.str() << "}};\n\n";
}

void MoonRotation(Output& out, const std::string& path) {
  const CsvTable t = ReadCsv(path, 6);
  ExpectLayout(t, "i,angle0,rate,ra_amp,dec_amp,pm_amp", 13);
  for (std::size_t r = 1; r < t.Rows.size(); ++r)
    if (t.Rows[r].Fields[0] != std::to_string(r)) t.Fail(t.Rows[r], "expected index " + std::to_string(r));
  ExpectValues(t, 1, {125.045, -1935.5364525, -3.8787, 1.5419, 3.5610}, 1, "E1");
  ExpectValues(t, 13, {25.053, 473327.7964200, 0.0043, -0.0009, -0.0044}, 1, "E13");
  out.Header << "// IAU 2009 Moon rotation: argument E = Angle0 + Rate T (degrees, T in Julian\n"
                "// centuries TDB); amplitudes in degrees of the sines (pole right ascension, prime\n"
                "// meridian) and cosines (pole declination) of E.\n"
                "struct MoonRotationTerm {\n  double Angle0, Rate, PoleRa, PoleDec, Meridian;\n};\n"
                "extern const std::array<MoonRotationTerm, 13> kMoonRotationTerms;\n";
  out.Source << "const std::array<MoonRotationTerm, 13> kMoonRotationTerms = {{\n";
  for (std::size_t r = 1; r < t.Rows.size(); ++r) {
    out.Source << "    {";
    for (std::size_t c = 1; c < 6; ++c) out.Source << (c > 1 ? ", " : "") << ParseReal(t, t.Rows[r], c);
    out.Source << "},\n";
  }
  out.Source << "}};\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::cerr << "usage: gen_ephemeris_tables OUT.h OUT.cpp vsop87b_earth.csv iau_moon_rotation.csv\n";
    return 1;
  }
  try {
    Output out;
    Vsop87(out, argv[3]);
    MoonRotation(out, argv[4]);
    WriteOutput("gen_ephemeris_tables", "astro", argv[1], argv[2], "#include <array>\n", out);
  } catch (const std::exception& e) {
    std::cerr << e.what() << '\n';
    return 1;
  }
  return 0;
}
