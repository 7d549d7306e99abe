// Build-time generator of the gazetteer of the Moon's named features: the IAU's
// approved names with their kind, selenographic place and diameter.
//
//   gen_lunar_features OUT.cpp lunar_features.csv
//
// The file is checked (header, column and row counts, kind codes, number syntax
// and range, unique names, the rows whose values are published); any problem ends
// the program with status 1 and one line "file:line: message", and nothing is
// written. The table is ordered largest first, so that the names a small picture
// has room for come first, and packed as lunar_features.cpp reads it: per feature
// the NUL-terminated fields name, kind (its FeatureKind's number), latitude,
// longitude and diameter.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "astro/lunar_features.h"
#include "data_csv.h"
#include "packed_source.h"

namespace {

using namespace data_csv;

constexpr std::size_t kRows = 9049;

// The IAU descriptor codes of the file and the program's kinds for them.
const std::map<std::string, FeatureKind> kKinds = {
    {"AA", FeatureKind::Crater},        {"SF", FeatureKind::SatelliteCrater}, {"ME", FeatureKind::Mare},
    {"OC", FeatureKind::Oceanus},       {"LC", FeatureKind::Lacus},           {"SI", FeatureKind::Sinus},
    {"PA", FeatureKind::Palus},         {"PL", FeatureKind::Planitia},        {"MO", FeatureKind::Mons},
    {"RI", FeatureKind::Rima},          {"DO", FeatureKind::Dorsum},          {"RU", FeatureKind::Rupes},
    {"VA", FeatureKind::Vallis},        {"CA", FeatureKind::Catena},          {"PR", FeatureKind::Promontorium},
    {"LF", FeatureKind::LandingSite},   {"AL", FeatureKind::AlbedoFeature}};

struct Feature {
  const Row* Source;
  std::vector<std::string> Fields;  // as packed
  double DiameterKm = 0;
};

double InRange(const CsvTable& t, const Row& row, std::size_t column, double low, double high) {
  const double v = std::strtod(ParsePackedReal(t, row, column).c_str(), nullptr);
  if (v < low || v > high)
    t.Fail(row, "column " + std::to_string(column + 1) + ": " + row.Fields[column] + " out of range " +
                    std::to_string(low) + " ... " + std::to_string(high));
  return v;
}

Feature ReadFeature(const CsvTable& t, const Row& row) {
  ParseReal(t, row, 0);  // the Gazetteer's id: read only to catch a shifted row
  const std::string& name = row.Fields[1];
  if (name.empty()) t.Fail(row, "empty name");
  if (std::any_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }))
    t.Fail(row, "control character in the name");
  const auto kind = kKinds.find(row.Fields[2]);
  if (kind == kKinds.end()) t.Fail(row, "unknown feature type '" + row.Fields[2] + "'");
  InRange(t, row, 3, -90, 90);
  InRange(t, row, 4, -180, 180);
  const double diameter = InRange(t, row, 5, 0, 3500);
  return {&row, {name, std::to_string(static_cast<int>(kind->second)), row.Fields[3], row.Fields[4], row.Fields[5]},
          diameter};
}

// The published places of a few features (the shared data README's check rows).
void ExpectRow(const CsvTable& t, const std::map<std::string, const Row*>& byName, const std::string& name,
               const std::string& lat, const std::string& lon) {
  const auto it = byName.find(name);
  if (it == byName.end()) t.Fail(t.LastLine, "no row for " + name);
  const Row& row = *it->second;
  if (row.Fields[3] != lat || row.Fields[4] != lon)
    t.Fail(row, name + " should lie at " + lat + ", " + lon + ", found " + row.Fields[3] + ", " + row.Fields[4]);
}

std::string PackedText(const std::string& path) {
  CsvTable t = ReadCsv(path, 6);
  if (t.Rows.empty() || t.Rows[0].Fields != std::vector<std::string>{"id", "name", "type", "lat", "lon",
                                                                      "diameter_km"})
    t.Fail(1, "expected the header id,name,type,lat,lon,diameter_km");
  t.Rows.erase(t.Rows.begin());
  ExpectRowCount(t, kRows);
  std::vector<Feature> features;
  std::map<std::string, const Row*> byName;
  for (const Row& row : t.Rows) {
    features.push_back(ReadFeature(t, row));
    if (!byName.emplace(row.Fields[1], &row).second) t.Fail(row, "name '" + row.Fields[1] + "' appears twice");
  }
  ExpectRow(t, byName, "Copernicus", "9.6209", "-20.0786");
  ExpectRow(t, byName, "Tycho", "-43.2958", "-11.2153");
  ExpectRow(t, byName, "Plato", "51.6192", "-9.3825");
  ExpectRow(t, byName, "Mare Crisium", "16.1774", "59.1037");
  ExpectRow(t, byName, "Statio Tranquillitatis", "0.6741", "23.4732");
  std::stable_sort(features.begin(), features.end(),
                   [](const Feature& a, const Feature& b) { return a.DiameterKm > b.DiameterKm; });
  std::string text;
  for (const Feature& f : features)
    for (const std::string& field : f.Fields) AppendField(t, *f.Source, text, field);
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: gen_lunar_features OUT.cpp lunar_features.csv\n";
    return 1;
  }
  try {
    WritePackedTable("gen_lunar_features", "moon", argv[1], "kPackedLunarFeatures", PackedText(argv[2]));
  } catch (const std::exception& e) {
    std::cerr << e.what() << '\n';
    return 1;
  }
  return 0;
}
