// The name of NASA's frame file of an hour: the hour of the year plus one, at least
// four digits, after a prefix that depends on the rendition's file kind.
#pragma once

#include <string>

// Kind (case ignored): "tif1" comp.NNNN.tif, "tif2" orbit.NNNN.tif, "tif3"
// globe.NNNN.tif; any other kind K gives moon.NNNN.K ("jpg", "tif").
std::string GetFileName(const std::string& Kind, long double Instant);
