#include "cli/cli_services.h"

#include "core/system_time_zone.h"

const TimeZoneRules& CliZone() {
  static const SystemTimeZone zone;
  return zone;
}

const NasaSite& CliSite() {
  static const NasaSite site = DefaultNasaSite();
  return site;
}
