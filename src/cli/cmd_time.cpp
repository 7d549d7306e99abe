// Hour clock and time-scale commands.
#include "core/hour_clock.h"
#include "cli/cli_services.h"
#include "astro/time_scales.h"
#include "cli/cli_command.h"

namespace {

int Hour(const CliArgs& a, std::ostream& out) {
  PrintLine(out, {std::to_string(GetHourNumber(ParseInstant(a.At(0, "INSTANT"))))});
  return 0;
}

int RoundHour(const CliArgs& a, std::ostream& out) {
  PrintLine(out, {FormatInstant(RoundToHour(ParseInstant(a.At(0, "INSTANT")), false))});
  return 0;
}

int Jd(const CliArgs& a, std::ostream& out) {
  const auto x = static_cast<double>(ParseInstant(a.At(0, "INSTANT")));
  PrintLine(out, {FormatNumber(DateTimeToJulianDate(x)), FormatNumber(JulianCenturiesJ2000(x))});
  return 0;
}

int Offset(const CliArgs& a, std::ostream& out) {
  const auto x = static_cast<double>(ParseInstant(a.At(0, "INSTANT")));
  PrintLine(out, {FormatNumber(UtcOffsetHours(x, CliZone()))});
  return 0;
}

const CliRegistrar kHour({"hour", "hour INSTANT", "", "", 1, 1, Hour});
const CliRegistrar kRoundHour({"roundhour", "roundhour INSTANT", "", "", 1, 1, RoundHour});
const CliRegistrar kJd({"jd", "jd INSTANT", "", "", 1, 1, Jd});
const CliRegistrar kOffset({"offset", "offset INSTANT", "", "", 1, 1, Offset});

}  // namespace
