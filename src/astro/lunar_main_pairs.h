// The main problem's arguments in two halves: a term's argument i1 D + i2 l' + i3 l + i4 F
// is the pair (i1 D + i2 l') turned by the pair (i3 l + i4 F). The longitude, latitude
// and distance series have 560 terms but only a few dozen distinct pairs of each half,
// so each pair is rotated once per instant and a term turns one pair by the other:
// the same rotations in the same order as the whole product per term, a third of them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "lunar_series_rotations.h"

namespace lunar_main_pairs {

using Pair = std::array<std::int8_t, 2>;

// Every distinct pair of one half, in order of first use.
struct PairTable {
  static constexpr std::size_t kMax = (2 * kLunarMaxDelaunayMultiplier + 1) * (2 * kLunarMaxDelaunayMultiplier + 1);
  std::array<Pair, kMax> Pairs{};
  std::size_t Count = 0;

  constexpr std::uint8_t IndexOf(const Pair& p) {
    std::size_t i = 0;
    while (i < Count && Pairs[i] != p) ++i;
    if (i == Count) Pairs[Count++] = p;
    return static_cast<std::uint8_t>(i);
  }
};

// A term's two halves: its places in the tables of (D, l') and of (l, F).
struct TermPairs {
  std::uint8_t First, Second;
};

template <std::size_t N>
constexpr std::array<TermPairs, N> PairsOf(const std::array<LunarMainRotation, N>& terms, PairTable& first,
                                           PairTable& second) {
  std::array<TermPairs, N> pairs{};
  for (std::size_t i = 0; i < N; ++i) {
    const std::array<std::int8_t, 4>& m = terms[i].Multipliers;
    pairs[i] = {first.IndexOf({m[0], m[1]}), second.IndexOf({m[2], m[3]})};
  }
  return pairs;
}

struct Pairing {
  PairTable First, Second;
  std::array<TermPairs, LongitudeMainRotations.size()> Longitude{};
  std::array<TermPairs, LatitudeMainRotations.size()> Latitude{};
  std::array<TermPairs, DistanceMainRotations.size()> Distance{};
};

constexpr Pairing MakePairing() {
  Pairing p;
  p.Longitude = PairsOf(LongitudeMainRotations, p.First, p.Second);
  p.Latitude = PairsOf(LatitudeMainRotations, p.First, p.Second);
  p.Distance = PairsOf(DistanceMainRotations, p.First, p.Second);
  return p;
}

}  // namespace lunar_main_pairs

inline constexpr lunar_main_pairs::Pairing kLunarMainPairs = lunar_main_pairs::MakePairing();
