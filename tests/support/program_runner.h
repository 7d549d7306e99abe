// Runs a program through the shell (popen) and collects what it prints; for the
// orvanel-cli tests.
#pragma once

#include <string>
#include <vector>

struct ProgramRun {
  int ExitCode = -1;   // the program's exit status; -1 when it did not exit normally
  std::string Output;  // stdout, then stderr when withErrors
};

// Runs program with the arguments, each quoted for the shell.
ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments, bool withErrors = false);

// The output split at line ends, without them.
std::vector<std::string> OutputLines(const std::string& output);
