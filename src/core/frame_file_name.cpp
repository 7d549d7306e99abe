#include "core/frame_file_name.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string_view>

#include "core/hour_clock.h"

namespace {

bool SameTextIgnoringCase(const std::string& a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

std::string GetFileName(const std::string& Kind, long double Instant) {
  char number[16];
  std::snprintf(number, sizeof number, "%04d", GetHourNumber(Instant) + 1);
  if (SameTextIgnoringCase(Kind, "tif1")) return std::string("comp.") + number + ".tif";
  if (SameTextIgnoringCase(Kind, "tif2")) return std::string("orbit.") + number + ".tif";
  if (SameTextIgnoringCase(Kind, "tif3")) return std::string("globe.") + number + ".tif";
  return std::string("moon.") + number + "." + Kind;
}
