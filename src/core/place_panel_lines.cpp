#include "core/place_panel_lines.h"

#include "core/number_text.h"

QStringList PlacePanelLines(const TopocentricMoonValues& t, const QLocale& locale) {
  const auto F = [&locale](int decimals, long double v) { return FormatFixed(v, decimals, locale); };
  return {
      "From your place:",
      "Phase  " + F(2, t.Phase) + "%",
      "Diam  " + F(1, t.Diam) + " ArcSec",
      "Elon  " + F(4, t.Elon) + kDegree,
      "Elat  " + F(3, t.Elat) + kDegree,
      "AxisA  " + F(3, t.AxisA) + kDegree,
      "Bright Limb  " + F(1, t.BrightLimb) + kDegree,
  };
}
