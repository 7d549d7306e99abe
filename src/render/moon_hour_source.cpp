#include "render/moon_hour_source.h"

#include "render/drawn_moon.h"
#include "render/view_options.h"

std::optional<MoonHourValues> MoonHourValuesAt(long double instant) {
  if (!InPictureRange(instant)) return std::nullopt;
  return HourValuesOf(GetNASAData(instant));
}
