// libFuzzer target: orvanel-cli's shared parsing. The input is split into words at
// spaces; the first is parsed as an INSTANT, the rest as a command's arguments whose
// numeric options are then read. Anything else than a CliError is a finding.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_command.h"

namespace {

int Nothing(const CliArgs&, std::ostream&) { return 0; }

// Every numeric option and one flag that the commands take.
const CliCommand kCommand{"fuzz", "fuzz [ARG...]", "lat lon westlon offset view", "rotate", 0, 3, Nothing};

void ParseAll(const std::vector<std::string>& words) {
  try {
    ParseInstant(words[0]);
  } catch (const CliError&) {
  }
  const CliArgs args = ParseCliArgs(kCommand, {words.begin() + 1, words.end()});
  for (const char* name : {"lat", "lon", "westlon", "offset"}) args.Number(name, 0);
  if (args.Has("view")) ParseInteger(args.Options.at("view"), "--view");
  for (const std::string& p : args.Positional) ParseInteger(p, "K");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  if (words.empty()) return 0;
  try {
    ParseAll(words);
  } catch (const CliError&) {
  }
  return 0;
}
