// The eclipses command: every lunar eclipse of a span with its magnitudes and contacts.
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

#include "astro/lunar_eclipses.h"
#include "cli/cli_command.h"

namespace {

// An instant to the nearest second, "-" for a contact the eclipse does not have.
std::string ContactText(std::optional<double> x) {
  return x ? FormatInstant(std::round(*x * 86400) / 86400) : "-";
}

std::string Magnitude(double m) {
  char text[32];
  std::snprintf(text, sizeof text, "%.4f", m);
  return text;
}

// orvanel-cli eclipses FROM TO: one line per eclipse whose greatest eclipse lies in
// [FROM, TO), kind, greatest, umbral and penumbral magnitude, P1 U1 U2 U3 U4 P4,
// separated by tabs.
int Eclipses(const CliArgs& a, std::ostream& out) {
  const long double from = ParseInstant(a.At(0, "FROM")), to = ParseSpanEnd(a.At(1, "TO"));
  if (!(from < to)) throw CliError("TO must lie after FROM");
  for (const LunarEclipse& e : LunarEclipsesBetween(static_cast<double>(from), static_cast<double>(to))) {
    out << LunarEclipseKindName(e.Kind) << '\t' << ContactText(e.Greatest) << '\t' << Magnitude(e.UmbralMagnitude)
        << '\t' << Magnitude(e.PenumbralMagnitude);
    for (const std::optional<double>& c : {std::optional(e.P1), e.U1, e.U2, e.U3, e.U4, std::optional(e.P4)})
      out << '\t' << ContactText(c);
    out << '\n';
  }
  return 0;
}

const CliRegistrar kEclipses({"eclipses", "eclipses FROM TO", "", "", 2, 2, Eclipses});

}  // namespace
