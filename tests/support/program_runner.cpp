#include "program_runner.h"

#include <sys/wait.h>

#include <cstdio>
#include <sstream>

namespace {

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments, bool withErrors) {
  std::string command = ShellQuoted(program);
  for (const std::string& a : arguments) command += " " + ShellQuoted(a);
  command += withErrors ? " 2>&1" : " 2>/dev/null";
  ProgramRun run;
  std::FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.Output.append(buffer, n);
  const int status = pclose(pipe);
  run.ExitCode = status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

std::vector<std::string> OutputLines(const std::string& output) {
  std::vector<std::string> lines;
  std::istringstream in(output);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}
