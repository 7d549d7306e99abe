// Results that cannot be written (standard output on a full disk) end orvanel-cli
// with a failure and one line on stderr, never with status 0.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "support/program_runner.h"

namespace {

// Runs orvanel-cli with its standard output on /dev/full, which refuses every write
// with ENOSPC; the run's output is what it wrote on stderr.
ProgramRun RunOnFullDisk(const std::vector<std::string>& arguments) {
  std::vector<std::string> shell{"-c", "\"$0\" \"$@\" 2>&1 >/dev/full", ORVANEL_CLI_PATH};
  shell.insert(shell.end(), arguments.begin(), arguments.end());
  return RunProgram("sh", shell);
}

TEST(CliOutput, ResultsThatCannotBeWrittenAreAFailure) {
  const struct {
    std::vector<std::string> Args;
    std::string Command;
  } cases[] = {
      {{"ephemeris", "45292.5"}, "ephemeris"},  // one line, written only as the program ends
      {{"table", "2027"}, "table"},             // a year of lines, written while it runs
      {{"help"}, "help"},
  };
  for (const auto& c : cases) {
    const ProgramRun run = RunOnFullDisk(c.Args);
    EXPECT_EQ(run.ExitCode, 1) << c.Command;
    EXPECT_EQ(run.Output, "orvanel-cli " + c.Command + ": cannot write the output: " + std::strerror(ENOSPC) + "\n")
        << c.Command;
  }
}

}  // namespace
