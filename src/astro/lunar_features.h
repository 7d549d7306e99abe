// The gazetteer of the Moon: the IAU's approved names of lunar features (USGS
// Gazetteer of Planetary Nomenclature) with their kind, the selenographic place of
// their centre (the mean-Earth/polar-axis frame of NASA's sub-Earth point and the
// LRO maps) and their diameter. Compiled in packed from ORVANEL_DATA_DIR/moon.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

// The IAU descriptor of a feature.
enum class FeatureKind {
  Crater,
  SatelliteCrater,  // a lettered crater beside its namesake, e.g. "Tycho R"
  Mare,
  Oceanus,
  Lacus,
  Sinus,
  Palus,
  Planitia,
  Mons,
  Rima,
  Dorsum,
  Rupes,
  Vallis,
  Catena,
  Promontorium,
  LandingSite,
  AlbedoFeature,
};

struct LunarFeature {
  const char* Name;  // UTF-8, as approved
  FeatureKind Kind;
  double LatitudeDeg;   // selenographic, north positive
  double LongitudeDeg;  // selenographic, east positive, -180 ... 180
  double DiameterKm;
};

// Every named feature, the largest first; unpacked on first use.
std::span<const LunarFeature> LunarFeatures();

// The feature of that exact name (case-insensitive for ASCII letters); none when unknown.
const LunarFeature* FindLunarFeature(std::string_view name);

// "crater", "mare", "landing site" ...
const char* FeatureKindName(FeatureKind kind);

// The seas, lakes, bays and marshes: the dark plains a small picture names first.
bool IsDarkPlain(FeatureKind kind);
