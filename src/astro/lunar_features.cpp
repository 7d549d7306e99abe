#include "astro/lunar_features.h"

#include <algorithm>
#include <cctype>

#include "astro/packed_bytes.h"

// In the generated source: per feature the fields name, kind, latitude, longitude and
// diameter (tools/gen_lunar_features.cpp).
extern const PackedBytes kPackedLunarFeatures;

std::span<const LunarFeature> LunarFeatures() {
  static const PackedTable<LunarFeature> features =
      UnpackedTable<LunarFeature>(kPackedLunarFeatures, 5, [](const char* const* f) {
        return LunarFeature{f[0], static_cast<FeatureKind>(FieldInteger(f[1])), FieldNumber(f[2]), FieldNumber(f[3]),
                            FieldNumber(f[4])};
      });
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
