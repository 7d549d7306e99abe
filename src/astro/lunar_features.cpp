#include "astro/lunar_features.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "astro/packed_bytes.h"

// In the generated source: per feature the fields name, kind, latitude, longitude and
// diameter (tools/gen_lunar_features.cpp).
extern const PackedBytes kPackedLunarFeatures;

namespace {

struct Features {
  PackedFields Text;
  std::vector<LunarFeature> Rows;  // naming into Text
};

Features UnpackedFeatures() {
  Features t{UnpackedFields(kPackedLunarFeatures), {}};
  const std::vector<const char*>& f = t.Text.Fields;
  t.Rows.reserve(f.size() / 5);
  for (std::size_t i = 0; i + 5 <= f.size(); i += 5)
    t.Rows.push_back({f[i], static_cast<FeatureKind>(FieldInteger(f[i + 1])), FieldNumber(f[i + 2]),
                      FieldNumber(f[i + 3]), FieldNumber(f[i + 4])});
  return t;
}

}  // namespace

std::span<const LunarFeature> LunarFeatures() {
  static const Features features = UnpackedFeatures();
  return features.Rows;
}

const LunarFeature* FindLunarFeature(std::string_view name) {
  const auto same = [name](const LunarFeature& f) {
    const std::string_view other(f.Name);
    return std::ranges::equal(name, other, [](unsigned char a, unsigned char b) {
      return std::tolower(a) == std::tolower(b);
    });
  };
  const auto features = LunarFeatures();
  const auto it = std::ranges::find_if(features, same);
  return it == features.end() ? nullptr : &*it;
}

const char* FeatureKindName(FeatureKind kind) {
  switch (kind) {
    case FeatureKind::Crater: return "crater";
    case FeatureKind::SatelliteCrater: return "satellite crater";
    case FeatureKind::Mare: return "mare";
    case FeatureKind::Oceanus: return "oceanus";
    case FeatureKind::Lacus: return "lacus";
    case FeatureKind::Sinus: return "sinus";
    case FeatureKind::Palus: return "palus";
    case FeatureKind::Planitia: return "planitia";
    case FeatureKind::Mons: return "mons";
    case FeatureKind::Rima: return "rima";
    case FeatureKind::Dorsum: return "dorsum";
    case FeatureKind::Rupes: return "rupes";
    case FeatureKind::Vallis: return "vallis";
    case FeatureKind::Catena: return "catena";
    case FeatureKind::Promontorium: return "promontorium";
    case FeatureKind::LandingSite: return "landing site";
    case FeatureKind::AlbedoFeature: return "albedo feature";
  }
  return "feature";
}

bool IsDarkPlain(FeatureKind kind) {
  switch (kind) {
    case FeatureKind::Mare:
    case FeatureKind::Oceanus:
    case FeatureKind::Lacus:
    case FeatureKind::Sinus:
    case FeatureKind::Palus:
    case FeatureKind::Planitia: return true;
    default: return false;
  }
}
