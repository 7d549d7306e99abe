// orvanel-cli's command table and the argument helpers that every command shares.
// Grammar: orvanel-cli COMMAND ARG... [--option VALUE] [--flag]
#pragma once

#include <map>
#include <ostream>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

// Bad input: main prints the message as one line on stderr and exits with status 2.
class CliError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class CliArgs {
 public:
  std::vector<std::string> Positional;
  std::map<std::string, std::string> Options;  // --name VALUE
  std::set<std::string> Flags;                 // --name

  // The positional argument at index i; a CliError naming `what` when missing.
  const std::string& At(std::size_t i, const char* what) const;
  bool Has(const std::string& option) const { return Options.count(option) != 0; }
  bool Flag(const std::string& flag) const { return Flags.count(flag) != 0; }
  // A numeric option, or fallback when it is absent; a CliError when it is not a number.
  long double Number(const std::string& option, long double fallback) const;
  // --lon as a place on the Earth is given, -180 to 180 degrees east.
  long double PlaceLongitude(long double fallback) const;
  // --view, a view's number; the Moon view's (0) when absent.
  int View() const;
};

using CliHandler = int (*)(const CliArgs& args, std::ostream& out);

struct CliCommand {
  const char* Name;
  const char* Usage;         // shown by "orvanel-cli help"
  const char* ValueOptions;  // space-separated names that take a value, e.g. "lat lon"
  const char* FlagOptions;   // space-separated names that take none, e.g. "rotate"
  int MinPositional;
  int MaxPositional;
  CliHandler Run;
  bool DrawsText = false;  // needs Qt's fonts, so a GUI application; the others start sooner without one
};

// Commands register themselves from their own files through a static CliRegistrar.
void RegisterCliCommand(const CliCommand& command);
const std::vector<CliCommand>& CliCommands();

struct CliRegistrar {
  explicit CliRegistrar(const CliCommand& command) { RegisterCliCommand(command); }
};

// Parses a command's arguments after its name; a CliError for anything unknown.
CliArgs ParseCliArgs(const CliCommand& command, const std::vector<std::string>& words);

// The years the program covers, and the lunations (numbered from the new moon of
// 6 January 2000, as Meeus counts them) whose phases fall in them.
inline constexpr int kFirstYear = 1600;
inline constexpr int kLastYear = 3999;
inline constexpr int kFirstLunation = -4947;
inline constexpr int kLastLunation = 24735;

// An INSTANT: ISO 8601 UTC "YYYY-MM-DDTHH:MM[:SS]Z" or a day number such as 45292.5,
// from 1600-01-01 to the end of 3999; a CliError otherwise.
long double ParseInstant(const std::string& text);
// The end of a span that includes neither it nor what follows: an INSTANT, or the end
// of the covered range itself (4000-01-01T00:00Z), so that a span can close the range.
long double ParseSpanEnd(const std::string& text);
// A number written in decimals (an optional sign, digits, at most one point, an
// optional exponent; nothing else around it), within the range kept for `what` (an option such as
// "--lat" or a named argument); a CliError otherwise. ParseInteger further wants a whole int.
long double ParseNumber(const std::string& text, const char* what);
int ParseInteger(const std::string& text, const char* what);

// A number with at least 10 significant digits.
std::string FormatNumber(long double value);
// A date-time as YYYY-MM-DDTHH:MM:SSZ (to the millisecond, then cut to the second).
std::string FormatInstant(long double x);
// A local date-time as YYYY-MM-DDTHH:MM:SS followed by its offset from UTC (+HH:MM),
// or Z when the offset is 0; x is already local.
std::string FormatLocalInstant(long double x, long double offsetHours);
// Values space-separated on one line.
void PrintLine(std::ostream& out, const std::vector<std::string>& fields);
