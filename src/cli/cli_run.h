// orvanel-cli's command line once the program has started: the command its words
// name, run on the rest of them.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/cli_command.h"

// The command the first of the words names, or none.
const CliCommand* FindCliCommand(const std::vector<std::string>& words);

// Runs command, the one the words name (none when they name no command, or for help),
// on the words after its name: its results on out, its messages on std::cerr. Its
// exit status: 2 for bad input.
int RunCli(const CliCommand* command, const std::vector<std::string>& words, std::ostream& out);
