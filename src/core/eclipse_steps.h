// The Next/Previous Eclipse step: from the hour shown to the greatest eclipse of the
// next or previous lunar eclipse.
#pragma once

#include <optional>

// The UTC instant of the first greatest eclipse strictly after (forward) or before x;
// none past the ends of 1600 ... 3999.
std::optional<long double> EclipseStep(long double x, bool forward);
