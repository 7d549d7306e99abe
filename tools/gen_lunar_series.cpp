// Build-time generator of LunarSeriesTable, the twelve truncated ELP 2000-85
// lunar series, from the comma-separated data file elp2000_85_truncated.csv.
//
//   gen_lunar_series INPUT.csv OUTPUT.cpp ROTATIONS.h
//
// Every data line is "series,row,values...": the twelve series in the order of
// LunarSeriesCoefficients, rows numbered from 1, six values for a main-problem
// row (amplitude, c0 ... c4) and three for a perturbation row (amplitude, phase,
// frequency). Lines starting with '#' are comments. Each series must hold exactly
// the term count of astro/lunar_series.h. On any problem the tool prints
// "file:line: message", writes nothing and exits with status 1.
//
// ROTATIONS.h holds the same terms in the form LunarSeries evaluates without a
// sine per term (see RotationSource below).
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iomanip>
#include <fstream>
#include <iostream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "astro/angles.h"
#include "astro/lunar_series.h"

namespace {

struct SeriesLayout {
  const char* Name;
  std::size_t Values;  // per row, after the row number
  std::size_t Terms;
  const char* Rotations;  // name of the series in ROTATIONS.h
};

// The order of the data file and of LunarSeriesCoefficients.
const SeriesLayout kSeries[] = {
    {"longitude_main", 6, kLongitudeMainTerms, "LongitudeMainRotations"},
    {"longitude_t0", 3, kLongitudeT0Terms, "LongitudeT0Rotations"},
    {"longitude_t1", 3, kLongitudeT1Terms, "LongitudeT1Rotations"},
    {"longitude_t2", 3, kLongitudeT2Terms, "LongitudeT2Rotations"},
    {"latitude_main", 6, kLatitudeMainTerms, "LatitudeMainRotations"},
    {"latitude_t0", 3, kLatitudeT0Terms, "LatitudeT0Rotations"},
    {"latitude_t1", 3, kLatitudeT1Terms, "LatitudeT1Rotations"},
    {"latitude_t2", 3, kLatitudeT2Terms, "LatitudeT2Rotations"},
    {"distance_main", 6, kDistanceMainTerms, "DistanceMainRotations"},
    {"distance_t0", 3, kDistanceT0Terms, "DistanceT0Rotations"},
    {"distance_t1", 3, kDistanceT1Terms, "DistanceT1Rotations"},
    {"distance_t2", 3, kDistanceT2Terms, "DistanceT2Rotations"},
};
constexpr std::size_t kSeriesCount = sizeof kSeries / sizeof kSeries[0];

class InputError {
 public:
  InputError(std::size_t line, std::string message) : Line(line), Message(std::move(message)) {}
  std::size_t Line;
  std::string Message;
};

std::vector<std::string> SplitFields(const std::string& line) {
  std::vector<std::string> fields;
  std::istringstream in(line);
  for (std::string field; std::getline(in, field, ',');) fields.push_back(field);
  if (!line.empty() && line.back() == ',') fields.emplace_back();
  return fields;
}

// A decimal number as the C++ literal of a long double.
std::string LongDoubleLiteral(const std::string& text, std::size_t line, const char* what) {
  static const std::regex decimal(R"(-?[0-9]+(\.[0-9]+)?([eE][-+]?[0-9]+)?)");
  if (!std::regex_match(text, decimal))
    throw InputError(line, std::string("not a decimal number for ") + what + ": '" + text + "'");
  const bool integral = text.find_first_of(".eE") == std::string::npos;
  return text + (integral ? ".0L" : "L");
}

// ---- Rotation form --------------------------------------------------------------
//
// A main-problem argument is i1 D + i2 l' + i3 l + i4 F with the Delaunay
// arguments below (degrees; ELP 2000-82B note, sect. 7, the polynomials quoted
// in the data file's header). The table rounds each coefficient, so the row's
// argument is that combination plus a small residual polynomial, kept per row.
// A perturbation frequency is a whole number of 0.0001 deg per century (the
// table's last digit), written in balanced base-201 digits: the evaluation
// rotates by digit times 201^j steps of 0.0001 T degrees.

constexpr long double kArcsec = 1.0L / 3600.0L;
const std::array<std::array<long double, 5>, 4> kDelaunayDegrees = {{
    {297 + 51 / 60.0L + 0.73512L * kArcsec, 1602961601.4603L * kArcsec, -5.8681L * kArcsec,
     0.006595L * kArcsec, -0.00003184L * kArcsec},
    {357 + 31 / 60.0L + 44.79306L * kArcsec, 129596581.0474L * kArcsec, -0.5529L * kArcsec,
     0.000147L * kArcsec, 0},
    {134 + 57 / 60.0L + 48.28096L * kArcsec, 1717915923.4728L * kArcsec, 32.3893L * kArcsec,
     0.051651L * kArcsec, -0.00024470L * kArcsec},
    {93 + 16 / 60.0L + 19.55755L * kArcsec, 1739527263.0983L * kArcsec, -12.2505L * kArcsec,
     -0.001021L * kArcsec, 0.00000417L * kArcsec},
}};
constexpr int kMaxDelaunayMultiplier = 10;
// One unit of the table's rounding of c0 ... c4, in degrees: the largest
// residual a row may leave (|residual| < 0.002 deg for |T| <= 80).
constexpr std::array<long double, 5> kResidualLimit = {1e-7L, 1e-7L, 1e-7L, 1e-9L, 1e-11L};

constexpr int kDigitBase = 201, kDigitMax = 100, kDigits = 5;


const char* const kRotationPreamble = R"(#pragma once

#include <array>
#include <cstdint>

#include "astro/angle_multiples.h"

// Main-problem term: Amplitude times the sine (cosine for the distance) of
// Multipliers . (D, l', l, F) + Residual(T), Residual a polynomial in T, radians.
struct LunarMainRotation {
  double Amplitude;
  std::array<std::int8_t, 4> Multipliers;
  std::array<double, 5> Residual;
};

// Perturbation term: Amplitude times the sine (cosine for the distance) of
// Phase + sum over j of Digits[j] * kLunarFrequencyBase^j * kLunarFrequencyStep * T degrees.
struct LunarPerturbationRotation {
  double Amplitude;
  UnitVector Phase;
  std::array<std::int8_t, 5> Digits;
};

inline constexpr int kLunarFrequencyBase = 201, kLunarFrequencyDigitMax = 100;
inline constexpr long double kLunarFrequencyStep = 1e-4L;  // degrees per Julian century
)";

struct NumericRow {
  std::size_t Line;
  std::vector<long double> Values;
};

// Combination of the Delaunay arguments closest to the row's argument, as the
// generated initializer; throws InputError when no combination is close enough.
std::string MainRotation(const NumericRow& row, int& maxMultiplier) {
  const std::vector<long double>& v = row.Values;
  const std::array<long double, 5> argument = {v[1], v[2], v[3] * 1e-4L, v[4] * 1e-6L, v[5] * 1e-8L};
  const int M = kMaxDelaunayMultiplier;
  for (int i0 = -M; i0 <= M; ++i0)
    for (int i1 = -M; i1 <= M; ++i1)
      for (int i2 = -M; i2 <= M; ++i2) {
        const std::array<int, 3> first = {i0, i1, i2};
        long double rate = argument[1];
        for (int k = 0; k < 3; ++k) rate -= first[k] * kDelaunayDegrees[k][1];
        const long double i3 = std::round(rate / kDelaunayDegrees[3][1]);
        if (std::fabs(i3) > M) continue;
        const std::array<int, 4> m = {i0, i1, i2, static_cast<int>(i3)};
        std::array<long double, 5> residual = argument;
        for (int j = 0; j < 5; ++j)
          for (int k = 0; k < 4; ++k) residual[j] -= m[k] * kDelaunayDegrees[k][j];
        residual[0] = std::remainder(residual[0], 360.0L);
        bool close = true;
        for (int j = 0; j < 5; ++j) close = close && std::fabs(residual[j]) <= kResidualLimit[j];
        if (!close) continue;
        std::ostringstream out;
        out << std::setprecision(21) << "{" << v[0] << "L, {" << m[0] << ", " << m[1] << ", " << m[2]
            << ", " << m[3] << "}, {";
        for (int j = 0; j < 5; ++j) out << (j ? ", " : "") << residual[j] * kRadiansPerDegree << "L";
        for (int k = 0; k < 4; ++k) maxMultiplier = std::max(maxMultiplier, std::abs(m[k]));
        return out.str() + "}}";
      }
  throw InputError(row.Line, "main-problem argument is not a combination of D, l', l and F");
}

std::string PerturbationRotation(const NumericRow& row) {
  const std::vector<long double>& v = row.Values;
  const long double steps = v[2] * 1e4L;
  long long n = std::llround(steps);
  if (std::fabs(steps - n) > 1e-6L)
    throw InputError(row.Line, "frequency is not a whole multiple of 0.0001 deg per century");
  std::array<int, kDigits> digits{};
  for (int j = 0; j < kDigits; ++j) {
    long long d = n % kDigitBase;  // takes the sign of n
    if (d > kDigitMax) d -= kDigitBase;
    if (d < -kDigitMax) d += kDigitBase;
    digits[j] = static_cast<int>(d);
    n = (n - d) / kDigitBase;
  }
  if (n != 0) throw InputError(row.Line, "frequency too large for the rotation form");
  std::ostringstream out;
  out << std::setprecision(21) << "{" << v[0] << "L, {" << std::cos(v[1] * kRadiansPerDegree) << "L, "
      << std::sin(v[1] * kRadiansPerDegree) << "L}, {";
  for (int j = 0; j < kDigits; ++j) out << (j ? ", " : "") << digits[j];
  return out.str() + "}}";
}

// Rows of each series as initializer texts, validated.
class TableReader {
 public:
  void ReadLine(const std::string& line, std::size_t lineNumber) {
    if (!line.empty() && line[0] == '#') return;
    if (line.empty()) throw InputError(lineNumber, "empty line");
    const std::vector<std::string> fields = SplitFields(line);
    const std::size_t series = SeriesOf(fields[0], lineNumber);
    const SeriesLayout& layout = kSeries[series];
    if (fields.size() != layout.Values + 2)
      throw InputError(lineNumber, std::string(layout.Name) + " needs " +
                                       std::to_string(layout.Values) + " values after the row number, found " +
                                       std::to_string(fields.size() < 2 ? 0 : fields.size() - 2));
    const std::size_t expectedRow = rows_[series].size() + 1;
    if (fields[1] != std::to_string(expectedRow))
      throw InputError(lineNumber, std::string(layout.Name) + ": row number '" + fields[1] +
                                       "', expected " + std::to_string(expectedRow));
    if (expectedRow > layout.Terms)
      throw InputError(lineNumber, std::string(layout.Name) + " has more than " +
                                       std::to_string(layout.Terms) + " terms");
    std::string row = "{";
    for (std::size_t i = 2; i < fields.size(); ++i)
      row += (i > 2 ? ", " : "") + LongDoubleLiteral(fields[i], lineNumber, layout.Name);
    rows_[series].push_back(row + "}");
    std::vector<long double> values;
    for (std::size_t i = 2; i < fields.size(); ++i) values.push_back(std::strtold(fields[i].c_str(), nullptr));
    values_[series].push_back({lineNumber, values});
  }

  // Checks that the last series is complete (earlier ones were checked when the next began).
  void Finish(std::size_t lineCount) const {
    CheckComplete(current_, lineCount);
    if (current_ + 1 != kSeriesCount)
      throw InputError(lineCount, std::string("series ") + kSeries[current_ + 1].Name + " is missing");
  }

  std::string Source(const std::string& inputPath) const {
    std::ostringstream out;
    out << "// Generated by gen_lunar_series from " << inputPath << "; do not edit.\n"
        << "#include \"astro/lunar_series.h\"\n\n"
        << "const LunarSeriesCoefficients LunarSeriesTable = {\n";
    for (std::size_t s = 0; s < kSeriesCount; ++s) {
      out << "    // " << kSeries[s].Name << "\n    {{\n";
      for (const std::string& row : rows_[s]) out << "        " << row << ",\n";
      out << "    }},\n";
    }
    out << "};\n";
    return out.str();
  }

  // The rotation form of every series; throws InputError for a row it cannot express.
  std::string RotationSource(const std::string& inputPath) const {
    std::ostringstream out;
    out << std::setprecision(21);
    out << "// Generated by gen_lunar_series from " << inputPath << "; do not edit.\n"
        << kRotationPreamble;
    int maxMultiplier = 0;
    for (std::size_t s = 0; s < kSeriesCount; ++s) {
      const bool main = kSeries[s].Values == 6;
      out << "\ninline constexpr std::array<"
          << (main ? "LunarMainRotation" : "LunarPerturbationRotation") << ", " << kSeries[s].Terms
          << "> " << kSeries[s].Rotations << " = {{\n";
      for (const NumericRow& row : values_[s])
        out << "    " << (main ? MainRotation(row, maxMultiplier) : PerturbationRotation(row)) << ",\n";
      out << "}};\n";
    }
    out << "\n// Largest |multiplier| of D, l', l, F in the main-problem series.\n"
        << "inline constexpr int kLunarMaxDelaunayMultiplier = " << maxMultiplier << ";\n"
        << "\n// D, l', l, F in degrees: coefficients of T^0 ... T^4.\n"
        << "inline constexpr std::array<std::array<long double, 5>, 4> kLunarDelaunayDegrees = {{\n";
    for (const std::array<long double, 5>& a : kDelaunayDegrees) {
      out << "    {";
      for (int j = 0; j < 5; ++j) out << (j ? ", " : "") << a[j] << "L";
      out << "},\n";
    }
    out << "}};\n";
    return out.str();
  }

 private:
  std::size_t SeriesOf(const std::string& name, std::size_t lineNumber) {
    if (name == kSeries[current_].Name) return current_;
    const bool hasNext = current_ + 1 < kSeriesCount;
    if (hasNext && name == kSeries[current_ + 1].Name) {
      CheckComplete(current_, lineNumber);
      return ++current_;
    }
    throw InputError(lineNumber, "unexpected series '" + name + "' (expected " +
                                     kSeries[current_].Name +
                                     (hasNext ? std::string(" or ") + kSeries[current_ + 1].Name : "") +
                                     ")");
  }

  void CheckComplete(std::size_t series, std::size_t lineNumber) const {
    if (rows_[series].size() != kSeries[series].Terms)
      throw InputError(lineNumber, std::string(kSeries[series].Name) + " has " +
                                       std::to_string(rows_[series].size()) + " terms, expected " +
                                       std::to_string(kSeries[series].Terms));
  }

  std::vector<std::string> rows_[kSeriesCount];
  std::vector<NumericRow> values_[kSeriesCount];
  std::size_t current_ = 0;
};

bool WriteFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::trunc);
  out << text;
  if (out.flush()) return true;
  std::cerr << path << ":0: cannot write the generated table\n";
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: gen_lunar_series INPUT.csv OUTPUT.cpp ROTATIONS.h\n";
    return 1;
  }
  const std::string inputPath = argv[1], outputPath = argv[2], rotationsPath = argv[3];
  std::ifstream in(inputPath);
  if (!in) {
    std::cerr << inputPath << ":0: cannot open the lunar series file\n";
    return 1;
  }
  TableReader reader;
  std::string rotations;
  std::size_t lineNumber = 0;
  try {
    for (std::string line; std::getline(in, line);) {
      ++lineNumber;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      reader.ReadLine(line, lineNumber);
    }
    reader.Finish(lineNumber);
    rotations = reader.RotationSource(inputPath);
  } catch (const InputError& e) {
    std::cerr << inputPath << ":" << e.Line << ": " << e.Message << '\n';
    return 1;
  }
  return WriteFile(outputPath, reader.Source(inputPath)) && WriteFile(rotationsPath, rotations) ? 0 : 1;
}
