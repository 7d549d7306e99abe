// What orvanel-cli takes from the outside world: the system's time-zone rules (TZ is
// respected) and NASA's site (ORVANEL_NASA_SERVER is respected). Built once, never changed.
#pragma once

#include "astro/time_scales.h"
#include "nasa/frame_naming.h"

const TimeZoneRules& CliZone();
const NasaSite& CliSite();
