#include "cli/cli_run.h"

#include <algorithm>
#include <iostream>

namespace {

int Help(std::ostream& out) {
  out << "usage: orvanel-cli COMMAND ARG...\n"
         "INSTANT is a UTC time YYYY-MM-DDTHH:MM[:SS]Z or a day number (45292.5 is 2024-01-01 12:00).\n"
         "commands:\n";
  std::vector<std::string> usages;
  for (const CliCommand& c : CliCommands()) usages.emplace_back(c.Usage);
  std::sort(usages.begin(), usages.end());
  for (const std::string& u : usages) out << "  " << u << '\n';
  return 0;
}

}  // namespace

const CliCommand* FindCliCommand(const std::vector<std::string>& words) {
  if (words.empty()) return nullptr;
  for (const CliCommand& c : CliCommands())
    if (words[0] == c.Name) return &c;
  return nullptr;
}

int RunCli(const CliCommand* command, const std::vector<std::string>& words, std::ostream& out) {
  if (words.empty() || words[0] == "help" || words[0] == "--help") return Help(out);
  if (!command) {
    std::cerr << "orvanel-cli: unknown command \"" << words[0] << "\" (see orvanel-cli help)\n";
    return 2;
  }
  try {
    const CliArgs args = ParseCliArgs(*command, {words.begin() + 1, words.end()});
    return command->Run(args, out);
  } catch (const std::exception& e) {
    std::cerr << "orvanel-cli " << command->Name << ": " << e.what() << '\n';
    return 2;
  }
}
