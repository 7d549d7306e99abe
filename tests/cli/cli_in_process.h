// Runs an orvanel-cli command line in the test's own process, as the program does
// once started: its output, its exit status and, when asked, its messages after the
// output. A process of its own costs about 25 ms to start, most of the time of a
// command; the tests of the program as a process (its arguments, its output on a full
// disk, its libraries and time zones) still start one.
#pragma once

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "support/program_runner.h"

inline ProgramRun RunCliInProcess(const std::vector<std::string>& words, bool withErrors = false) {
  std::ostringstream out, messages;  // a fresh stream each time, as a process's is
  std::streambuf* const stderrBuffer = std::cerr.rdbuf(messages.rdbuf());
  ProgramRun run;
  run.ExitCode = RunCli(FindCliCommand(words), words, out);
  std::cerr.rdbuf(stderrBuffer);
  run.Output = out.str() + (withErrors ? messages.str() : std::string());
  return run;
}
