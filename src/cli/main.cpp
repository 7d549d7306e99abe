// orvanel-cli: the engine, the tables, the data panel and the renderer from the command line.
#include <QGuiApplication>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>

#include "cli/cli_command.h"

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

// Qt's own warnings (a missing runtime folder and the like) would mix with the results.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << message.toStdString() << '\n';
}

// The command words name, or none.
const CliCommand* CommandOf(const std::vector<std::string>& words) {
  if (words.empty()) return nullptr;
  for (const CliCommand& c : CliCommands())
    if (words[0] == c.Name) return &c;
  return nullptr;
}

// Runs c, the command words name (none when they name no command), on the words
// after its name; its exit status.
int RunCommand(const CliCommand* c, const std::vector<std::string>& words) {
  if (words.empty() || words[0] == "help" || words[0] == "--help") return Help(std::cout);
  if (!c) {
    std::cerr << "orvanel-cli: unknown command \"" << words[0] << "\" (see orvanel-cli help)\n";
    return 2;
  }
  try {
    const CliArgs args = ParseCliArgs(*c, {words.begin() + 1, words.end()});
    return c->Run(args, std::cout);
  } catch (const std::exception& e) {
    std::cerr << "orvanel-cli " << c->Name << ": " << e.what() << '\n';
    return 2;
  }
}

// Results that did not reach their file (a full disk, say) are a failure: most of
// them are still in the output's buffer when the command returns, so it is emptied
// here, while the failure can still be told and counted.
int OutputWritten(int status, const std::string& command) {
  if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return status;
  std::cerr << "orvanel-cli " << command << ": cannot write the output: " << std::strerror(errno) << '\n';
  return status == 0 ? 1 : status;
}

}  // namespace

int main(int argc, char** argv) {
  qInstallMessageHandler(QuietQtMessages);
  const std::vector<std::string> words(argv + 1, argv + argc);  // before Qt takes its own
  // Text needs a GUI application, for its fonts, never a display. The other commands
  // start without one, a third sooner: its platform and fonts are the most of a start.
  const CliCommand* command = CommandOf(words);
  std::unique_ptr<QCoreApplication> app;
  if (command && command->DrawsText) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    app = std::make_unique<QGuiApplication>(argc, argv);
  } else {
    app = std::make_unique<QCoreApplication>(argc, argv);
  }

  return OutputWritten(RunCommand(command, words), words.empty() ? "help" : words[0]);
}
