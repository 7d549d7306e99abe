// The named features on the visible disc of an hour, where NASA's frame of that hour
// shows them (celestial north up, east left, not turned), with the Sun over each.
#include <cmath>
#include <iomanip>
#include <sstream>

#include "astro/lunar_features.h"
#include "astro/selenographic_sun.h"
#include "cli/cli_command.h"
#include "core/covered_range.h"
#include "core/hour_clock.h"
#include "nasa/hour_values.h"
#include "render/drawn_moon.h"
#include "render/feature_projection.h"

namespace {

constexpr long double kDefaultMinKm = 50;

std::string Fixed(double v, int decimals) {
  std::ostringstream s;
  s << std::fixed << std::setprecision(decimals) << v;
  return s.str();
}

// orvanel-cli features INSTANT [--min-km KM] [--terminator] [--size PX]
// One line per feature, the largest first:
// name TAB lat TAB lon TAB x TAB y TAB sun_altitude TAB lit|dark
int Features(const CliArgs& a, std::ostream& out) {
  const long double instant = ParseInstant(a.At(0, "INSTANT"));
  if (!InCoveredRange(instant)) throw CliError("features exist for 1600-01-01 to 3999-12-31 only");
  const double minKm = static_cast<double>(a.Number("min-km", kDefaultMinKm));
  const int size = a.Has("size") ? ParseInteger(a.Options.at("size"), "--size") : kDrawnFrameSize;
  const MoonHourValues values = HourValuesAt(RoundToHour(instant, true)).Values;
  const FeatureProjection projection(values, PictureGeometry{size, QSize(size, size), false, 0});
  for (const LunarFeature& f : LunarFeatures()) {
    if (f.DiameterKm < minKm) break;  // the table is largest first
    const std::optional<QPointF> at = projection.PixelOf(f.LatitudeDeg, f.LongitudeDeg);
    if (!at) continue;
    const double sun = AltitudeOverPlaceDeg(f.LatitudeDeg, f.LongitudeDeg, double(values.Slat), double(values.Slon));
    if (a.Flag("terminator") && std::fabs(sun) > kTerminatorSunAltitudeDeg) continue;
    out << f.Name << '\t' << Fixed(f.LatitudeDeg, 4) << '\t' << Fixed(f.LongitudeDeg, 4) << '\t'
        << Fixed(at->x(), 1) << '\t' << Fixed(at->y(), 1) << '\t' << Fixed(sun, 2) << '\t'
        << (SunLightOf(sun) == SunLight::Dark ? "dark" : "lit") << '\n';
  }
  return 0;
}

const CliRegistrar kFeatures({"features", "features INSTANT [--min-km KM] [--terminator] [--size PX]", "min-km size",
                              "terminator", 1, 1, Features});

}  // namespace
