// The observer's place as the commands take it: --lat and --lon in degrees (north
// and east positive) and --elev in metres, each within its range of cli_command.cpp.
#pragma once

#include "astro/topocentric_moon.h"
#include "cli/cli_command.h"

// The place from the options, each absent one taken from fallback.
ObserverPlace PlaceOptions(const CliArgs& a, const ObserverPlace& fallback);

// The same with --lat and --lon required; a CliError without them.
ObserverPlace RequiredPlaceOptions(const CliArgs& a);
