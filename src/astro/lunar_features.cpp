#include "astro/lunar_features.h"

#include <algorithm>
#include <cctype>

// In the generated source.
extern const LunarFeature kLunarFeatureTable[];
extern const std::size_t kLunarFeatureTableSize;

std::span<const LunarFeature> LunarFeatures() { return {kLunarFeatureTable, kLunarFeatureTableSize}; }

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
