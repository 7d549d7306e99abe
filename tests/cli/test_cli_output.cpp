// Results that cannot be written (standard output or a file on a full disk) end
// orvanel-cli with a failure and one line on stderr, never with status 0.
#include <gtest/gtest.h>

#include <QFile>
#include <cerrno>
#include <cstring>

#include "support/program_runner.h"
#include "support/test_folders.h"

namespace {

// Runs orvanel-cli with its standard output on /dev/full, which refuses every write
// with ENOSPC; the run's output is what it wrote on stderr.
ProgramRun RunOnFullDisk(const std::vector<std::string>& arguments) {
  std::vector<std::string> shell{"-c", "\"$0\" \"$@\" 2>&1 >/dev/full", ORVANEL_CLI_PATH};
  shell.insert(shell.end(), arguments.begin(), arguments.end());
  return RunProgram("sh", shell);
}

// Runs orvanel-cli with no file of its growing past 512 bytes (ulimit -f 1, with
// SIGXFSZ ignored so that a write there fails with EFBIG as one on a full disk fails
// with ENOSPC); the run's output is what it wrote on stderr.
ProgramRun RunWithFilesOf512Bytes(const std::vector<std::string>& arguments) {
  std::vector<std::string> shell{"-c", "trap '' XFSZ; ulimit -f 1; \"$0\" \"$@\" 2>&1 >/dev/null", ORVANEL_CLI_PATH};
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

// The file a command was to replace keeps its bytes, and nothing else is left beside it.
TEST(CliOutput, FilesThatCannotBeWrittenAreAFailureAndKeepTheOldOnes) {
  const auto folder = MakeTestFolder();
  const std::string dir = folder->path().toStdString();
  const struct {
    std::vector<std::string> Args;
    std::string Command, Target;
  } cases[] = {
      {{"table", "2027", "--out", dir + "/table.txt"}, "table", dir + "/table.txt"},
      {{"calendar", "2027", "--ics", dir + "/moon.ics"}, "calendar", dir + "/moon.ics"},
      {{"render", "2024-06-09T18:00Z", "--out", dir}, "render", dir + "/moon.png"},
  };
  for (const auto& c : cases) {
    QFile old(QString::fromStdString(c.Target));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    const ProgramRun run = RunWithFilesOf512Bytes(c.Args);
    EXPECT_EQ(run.ExitCode, 1) << c.Command;
    EXPECT_EQ(run.Output, "orvanel-cli " + c.Command + ": cannot write " + c.Target + ": " + std::strerror(EFBIG) + "\n");
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "old") << c.Command;
    EXPECT_EQ(FilesUnder(folder->path()), 1) << c.Command;
    old.remove();
  }
}

}  // namespace
