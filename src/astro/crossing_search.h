// The instants where a smooth function of time changes sign, for the events of the
// almanac: a scan at a fixed step, each change of sign bisected to a tenth of a second.
// A step must be short enough that the function cannot go and come back within it.
#pragma once

#include <functional>
#include <optional>
#include <vector>

struct Crossing {
  double Instant;  // UTC date-time
  bool Rising;     // from negative to non-negative
};

// Every crossing in [from, to), in order.
std::vector<Crossing> FindCrossings(const std::function<long double(double)>& f, double from, double to,
                                    double step);

// The first rising (or setting) crossing of a list, if there is one.
std::optional<double> FirstCrossing(const std::vector<Crossing>& crossings, bool rising);
