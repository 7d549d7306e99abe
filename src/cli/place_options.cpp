#include "cli/place_options.h"

ObserverPlace PlaceOptions(const CliArgs& a, const ObserverPlace& fallback) {
  return {a.Number("lat", fallback.LatitudeDeg), a.Number("lon", fallback.LongitudeDeg),
          a.Number("elev", fallback.ElevationM)};
}

ObserverPlace RequiredPlaceOptions(const CliArgs& a) {
  if (!a.Has("lat") || !a.Has("lon")) throw CliError("--lat DEG and --lon DEG are required");
  return PlaceOptions(a, ObserverPlace{});
}
