#include "cli/cli_command.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <regex>
#include <sstream>

#include "astro/time_scales.h"
#include "core/covered_range.h"
#include "core/view_kind.h"

namespace {

std::vector<CliCommand>& Registry() {
  static std::vector<CliCommand> commands;
  return commands;
}

std::set<std::string> SplitWords(const char* text) {
  std::set<std::string> words;
  std::istringstream in(text ? text : "");
  for (std::string w; in >> w;) words.insert(w);
  return words;
}

struct NumericRange {
  const char* Name;
  long double Low, High;
};

// The range of each numeric argument, checked before the value is converted to the
// double or int the engine takes: outside it a value means nothing or overflows
// (an offset of 1e30 hours once gave a moonrise equal to the moonset). A command may
// narrow a range further; an argument not listed must still fit a double.
constexpr NumericRange kRanges[] = {
    {"--lat", -90, 90},         // degrees
    {"--lon", -360, 360},       // degrees east
    {"--westlon", -360, 360},   // degrees west
    {"--offset", -24, 24},      // hours from UTC
    {"--size", 1, 8192},        // pixels across a frame
    {"--min-km", 0, 1e6},       // kilometres on the Moon
    {"--elev", -500, 10000},    // metres above sea level
    {"--view", 0, kViewKindCount - 1},    // a view's number
    {"YEAR", kFirstYear, kLastYear},      // the years the program covers
    {"K", kFirstLunation, kLastLunation}, // lunations from the new moon of January 2000
};

// Longer than this, a text is no number of ours; the matcher recurses once a
// character, so tens of thousands of digits would overflow the stack.
constexpr std::size_t kMaxNumberLength = 100;

// A number written in decimals: an optional sign, digits with at most one point and
// an optional decimal exponent, nothing around it (no hexadecimal, "inf" or space).
bool IsPlainDecimal(const std::string& text) {
  static const std::regex decimal(R"([+-]?([0-9]+(\.[0-9]*)?|\.[0-9]+)([eE][+-]?[0-9]+)?)");
  return text.size() <= kMaxNumberLength && std::regex_match(text, decimal);
}

NumericRange RangeOf(const char* what) {
  for (const NumericRange& r : kRanges)
    if (std::string(r.Name) == what) return r;
  return {what, -DBL_MAX, DBL_MAX};
}

}  // namespace

void RegisterCliCommand(const CliCommand& command) { Registry().push_back(command); }

const std::vector<CliCommand>& CliCommands() { return Registry(); }

const std::string& CliArgs::At(std::size_t i, const char* what) const {
  if (i >= Positional.size()) throw CliError(std::string("missing ") + what);
  return Positional[i];
}

long double CliArgs::Number(const std::string& option, long double fallback) const {
  const auto it = Options.find(option);
  if (it == Options.end()) return fallback;
  return ParseNumber(it->second, ("--" + option).c_str());
}

long double CliArgs::PlaceLongitude(long double fallback) const {
  const long double lon = Number("lon", fallback);
  if (lon < -180 || lon > 180) throw CliError("--lon must lie between -180 and 180: " + Options.at("lon"));
  return lon;
}

int CliArgs::View() const { return Has("view") ? ParseInteger(Options.at("view"), "--view") : 0; }

CliArgs ParseCliArgs(const CliCommand& command, const std::vector<std::string>& words) {
  const std::set<std::string> valueOptions = SplitWords(command.ValueOptions);
  const std::set<std::string> flagOptions = SplitWords(command.FlagOptions);
  CliArgs args;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& w = words[i];
    if (w.size() > 2 && w.compare(0, 2, "--") == 0) {
      const std::string name = w.substr(2);
      if (flagOptions.count(name)) {
        args.Flags.insert(name);
      } else if (valueOptions.count(name)) {
        if (i + 1 >= words.size()) throw CliError("option " + w + " needs a value");
        args.Options[name] = words[++i];
      } else {
        throw CliError("unknown option " + w + " for " + command.Name);
      }
    } else {
      args.Positional.push_back(w);
    }
  }
  const auto n = static_cast<int>(args.Positional.size());
  if (n < command.MinPositional || n > command.MaxPositional)
    throw CliError(std::string("usage: orvanel-cli ") + command.Usage);
  return args;
}

long double ParseNumber(const std::string& text, const char* what) {
  const long double v = IsPlainDecimal(text) ? std::strtold(text.c_str(), nullptr) : NAN;
  if (!std::isfinite(v)) throw CliError(std::string("not a number for ") + what + ": " + text);
  const NumericRange range = RangeOf(what);
  if (v < range.Low || v > range.High)
    throw CliError(std::string(what) + " must lie between " + FormatNumber(range.Low) + " and " +
                   FormatNumber(range.High) + ": " + text);
  return v;
}

int ParseInteger(const std::string& text, const char* what) {
  const long double v = ParseNumber(text, what);
  if (v != std::trunc(v) || std::fabs(v) > 2147483647.0L)
    throw CliError(std::string("not a whole number for ") + what + ": " + text);
  return static_cast<int>(v);
}

namespace {

long double ParseInstantText(const std::string& text) {
  static const std::regex iso(R"((\d{4})-(\d{2})-(\d{2})T(\d{2}):(\d{2})(?::(\d{2}))?Z)");
  std::smatch m;
  if (std::regex_match(text, m, iso)) {
    const int sec = m[6].matched ? std::stoi(m[6]) : 0;
    const long double x = EncodeDateTimeOrZero(std::stoi(m[1]), std::stoi(m[2]), std::stoi(m[3]),
                                               std::stoi(m[4]), std::stoi(m[5]), sec, 0);
    if (x == 0 && text.rfind("1899-12-30T00:00", 0) != 0)
      throw CliError("not a valid UTC time: " + text);
    return x;
  }
  if (!IsPlainDecimal(text)) throw CliError("not an instant (YYYY-MM-DDTHH:MM[:SS]Z or a day number): " + text);
  return std::strtold(text.c_str(), nullptr);
}

}  // namespace

long double ParseInstant(const std::string& text) {
  const long double x = ParseInstantText(text);
  if (!InCoveredRange(x))
    throw CliError("INSTANT must lie between 1600-01-01T00:00:00Z and 3999-12-31T23:59:59Z: " + text);
  return x;
}

long double ParseSpanEnd(const std::string& text) {
  return ParseInstantText(text) == kRangeEnd ? kRangeEnd : ParseInstant(text);
}

std::string FormatNumber(long double value) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15Lg", value);
  return buf;
}

namespace {

// YYYY-MM-DDTHH:MM:SS, to the millisecond, then cut to the second.
std::string FormatDateTime(long double x) {
  const CivilDateTime c = DecodeDateTime(x);  // the milliseconds are dropped, as on a clock
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02d:%02d:%02d", c.Year, c.Month, c.Day, c.Hour, c.Minute,
                c.Second);
  return buf;
}

}  // namespace

std::string FormatInstant(long double x) { return FormatDateTime(x) + "Z"; }

std::string FormatLocalInstant(long double x, long double offsetHours) {
  if (offsetHours == 0) return FormatInstant(x);
  const int minutes = static_cast<int>(std::lround(std::fabs(offsetHours) * 60));
  char zone[32];
  std::snprintf(zone, sizeof zone, "%c%02d:%02d", offsetHours < 0 ? '-' : '+', minutes / 60, minutes % 60);
  return FormatDateTime(x) + zone;
}

void PrintLine(std::ostream& out, const std::vector<std::string>& fields) {
  for (std::size_t i = 0; i < fields.size(); ++i) out << (i ? " " : "") << fields[i];
  out << '\n';
}
